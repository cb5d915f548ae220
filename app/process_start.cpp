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
  skin::skinEngine = new skin::SkinEngine();
  skin::FreeSkinArrays();  // both arrays start empty
  skin::backgroundImage.clear();
  std::atexit(RunExitRoutineAtExit);
  skin::StartGdiplus();
  const HMODULE module = GetModuleHandleW(nullptr);
  skin::appIcon = LoadIconW(module, MAKEINTRESOURCEW(129));
  if (!skin::appIcon) skin::appIcon = LoadIconW(module, L"DEFAULT_ICON");
  skin::SetSkinDefaults();
  ChooseStartLanguage();
  // Every deactivation of a skinned window hands its memory back through the trimmer.
  skin::skinEngine->trimmerProc = AnnouncedTrimmer;
}

void ExitRoutine() {
  catalogue::EndTrimmerStarts();
  songAddress.clear();
  songAddress.shrink_to_fit();
  replayAddress.clear();
  replayAddress.shrink_to_fit();
  delete skin::skinEngine;
  skin::skinEngine = nullptr;
  skin::FreeSkinArrays();
  skin::backgroundImage.clear();
  skin::backgroundImage.shrink_to_fit();
}

}  // namespace app
