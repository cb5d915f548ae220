#include "app/process_start.h"

#include <windows.h>

#include <cstdlib>

#include "app/announcer.h"
#include "app/language_switch.h"
#include "app/program_state.h"
#include "catalogue/trimmer.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"

namespace app {
namespace {

void RunExitRoutineAtExit() { ExitRoutine(); }

DWORD CALLBACK AnnouncedTrimmer(LPVOID parameter) {
  Announce().Say("trimmer");
  return catalogue::TrimmerThreadProc(parameter);
}

}  // namespace

void StartProcess() {
  skinEngine = new skin::SkinEngine();
  skin::FreeSkinArrays();  // both arrays start empty
  std::atexit(RunExitRoutineAtExit);
  skinEngine->gdiplusToken = skin::StartGdiplus();
  const HMODULE module = GetModuleHandleW(nullptr);
  skinEngine->appIcon = LoadIconW(module, MAKEINTRESOURCEW(129));
  if (!skinEngine->appIcon) skinEngine->appIcon = LoadIconW(module, L"DEFAULT_ICON");
  ChooseStartLanguage();
  // Every deactivation of a skinned window hands its memory back through the trimmer.
  skinEngine->trimmerProc = AnnouncedTrimmer;
}

void ExitRoutine() {
  catalogue::EndTrimmerStarts();
  songAddress.clear();
  songAddress.shrink_to_fit();
  replayAddress.clear();
  replayAddress.shrink_to_fit();
  delete skinEngine;
  skinEngine = nullptr;
  skin::FreeSkinArrays();
}

}  // namespace app
