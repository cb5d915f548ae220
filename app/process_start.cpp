#include "app/process_start.h"

#include <windows.h>

#include <cstdlib>

#include "app/announcer.h"
#include "app/application.h"
#include "app/data/language_switch.h"
#include "catalogue/catalogue_client.h"
#include "catalogue/trimmer.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"

namespace app {
namespace {

void RunExitRoutineAtExit() { ExitRoutine(); }

DWORD CALLBACK AnnouncedTrimmer(LPVOID parameter) {
  // An announcer of its own: the thread may start while the application ends.
  const Announcer announcer(kEventLogVariable);
  announcer.Say("trimmer");
  return catalogue::TrimmerThreadProc(parameter);
}

// Where the caption ends against its buttons, and in which face, for the tests to check.
void AnnounceCaption(const skin::WindowSkinRecord& record, const skin::CaptionWritten& written) {
  if (!Announce().on()) return;
  const LONG buttons =
      record.captionButtons.empty() ? -1 : static_cast<LONG>(record.captionButtons.front().rect.x);
  Announce().Say("caption ", reinterpret_cast<uintptr_t>(record.hwnd), " right ", written.right,
                 " buttons ", buttons, "\t", written.face, "\t", written.shown);
}

}  // namespace

void StartProcess() {
  App().skinEngine.reset(new skin::SkinEngine());
  skin::SkinEngine* const skinEngine = Engine();
  if (Announce().on()) skinEngine->captionWritten = AnnounceCaption;
  skinEngine->pictureAhead = &App().pictureAhead;
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
  catalogue::songAddress.clear();
  catalogue::songAddress.shrink_to_fit();
  // Ended through exit() the application is never destroyed: the early decode and the engine
  // go here.
  if (HasApp()) {
    App().pictureAhead.Forget();
    App().skinEngine.reset();
  }
}

}  // namespace app
