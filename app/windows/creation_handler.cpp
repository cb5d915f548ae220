#include "app/windows/creation_handler.h"

#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/data/data_files.h"
#include "app/data/language.h"
#include "app/data/number_pair.h"
#include "app/data/source_setting.h"
#include "app/desktop/tray_icon.h"
#include "app/media/playback_handlers.h"
#include "app/startup_log.h"
#include "app/windows/caption_text.h"
#include "app/windows/loading_window.h"
#include "app/windows/skin_calls.h"
#include "app/windows/user_messages.h"
#include "app/windows/window_events.h"
#include "build_settings.h"
#include "catalogue/catalogue_client.h"
#include "catalogue/http_get.h"
#include "catalogue/pumping_wait.h"
#include "catalogue/source_catalogue.h"
#include "graphics/dpi_scale.h"

namespace app {
namespace {

// Shows the message and ends the program; the loading window is left as it is.
[[noreturn]] void EndWith(const wchar_t* message) {
  ShowMessage(nullptr, message);  // before any window
  EndProgram();
}

void FillVisibleList(HWND list) {
  SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(VisibleEntry(0).c_str()));
}

void FillSongEntries(HWND list) {
  for (int n = 1; n <= 9; ++n) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(VisibleEntry(n).c_str()));
  }
}

// The layout files hold lengths at 96 dpi, so that they read the same on any screen.
NumberPair ScaledPair(const NumberPair& pair, int dpi) {
  return {graphics::ScaleLength(pair.first, dpi), graphics::ScaleLength(pair.second, dpi)};
}

void MovePanel(HWND panel, const NumberPair& position) {
  SetWindowPos(panel, nullptr, position.first, position.second, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The user closed a window while a request waited: the program ends here, before any further
// request, with nothing written.
void EndIfClosed() {
  if (catalogue::QuitPending()) EndProgram();
}

void SizeWindow(HWND window, const NumberPair& size) {
  SetWindowPos(window, nullptr, 0, 0, size.first, size.second,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

const std::vector<uint8_t>& StartupPicture() { return App().picture; }

void RunCreationHandler(PlayerUnits& units) {
  // The picture's name is known already: its decode runs beside the catalogue's requests. It is
  // still checked and given to the skin at step 8, from these bytes while path.txt names them.
  std::wstring earlyName;
  auto early = std::make_shared<std::vector<uint8_t>>();
  if (FileExists(DataPath(kPicturePathFile))) {
    earlyName = ReadGbkTextFile(DataPath(kPicturePathFile));
    *early = ReadFileBytes(DataPath(kPictureFolderPrefix + earlyName), kMaxPictureBytes);
    DecodePictureAhead(early, DataPath(kConfigFolder));
  }
  LoadingWindow loading;  // step 1
  loading.SetProgress(10);
  LogStartupStep("loading window");
  skinWindow(loading.hwnd(), {});  // step 2
  loading.SetProgress(20);
  LogStartupStep("loading window skinned");

  catalogue::SourceCatalogue& source = catalogue::ProgramCatalogue();
  source.Use(StartSource());  // a folder is read here
  AnnounceSource(source);
  EndIfClosed();
  // Painted now rather than while the request below lets messages through: the window shows
  // whole at once, and the step table charges the paint to itself, not to the request.
  UpdateWindow(loading.hwnd());
  LogStartupStep("loading window painted");
  // Step 3: the answer is not used. A folder has no site to ask.
  if (!source.SiteAddress().empty()) catalogue::HttpGet(source.SiteAddress());
  EndIfClosed();
  loading.SetProgress(30);
  LogStartupStep("first request to the site");
  source.Fetch(units.列表框1);  // step 4
  EndIfClosed();
  loading.SetProgress(40);
  LogStartupStep("catalogue fetched");

  FillVisibleList(units.列表框2);  // step 5
  loading.SetProgress(50);
  FillSongEntries(units.列表框2);  // step 6
  // The face shows the explanation from its first paint.
  if (ExplainEmptyList(units.列表框1, units.列表框2, source)) RefreshPlaybackUnits();
  loading.SetProgress(60);

  AddTrayIcon(units.window);  // step 7
  loading.SetProgress(70);
  LogStartupStep("lists filled, tray icon");

  // Step 8: the background picture.
  if (!FileExists(DataPath(kPicturePathFile))) EndWith(Texts().fileDamaged);
  const std::wstring pictureName = ReadGbkTextFile(DataPath(kPicturePathFile));
  if (pictureName != earlyName || early->empty()) {
    ForgetPictureAhead();  // its worker reads the bytes about to be replaced
    *early = ReadFileBytes(DataPath(kPictureFolderPrefix + pictureName), kMaxPictureBytes);
  }
  std::vector<uint8_t>& picture = *early;
  if (picture.empty()) EndWith(Texts().pictureMissing);
  KeepPictureCacheIn(DataPath(kConfigFolder));
  skinWindow(units.window, picture);
  ForgetPictureAhead();
  // Skinning decodes the picture, once for every window; bytes that are no picture count as a
  // picture that cannot be read.
  if (!BackgroundPictureDecoded()) EndWith(Texts().pictureMissing);
  skinGroupBox(units.分组框1);
  App().picture = std::move(picture);
  loading.SetProgress(80);
  LogStartupStep("background read, main window skinned");

  // Step 9: the caption.
  if (!FileExists(DataPath(kTitleFile))) EndWith(Texts().fileDamaged);
  SetWindowTextW(units.window, CaptionText(ReadGbkTextFile(DataPath(kTitleFile))).c_str());
  loading.SetProgress(90);

  // Step 10: where the panel stands.
  if (!FileExists(DataPath(kGroupingFile))) EndWith(Texts().fileDamaged);
  MovePanel(units.分组框1,
            ScaledPair(ReadNumberPair(ReadTextFile(DataPath(kGroupingFile))), units.dpi));

  // Step 11: the window size.
  if (!FileExists(DataPath(kMainSizeFile))) EndWith(Texts().fileDamaged);
  SizeWindow(units.window,
             ScaledPair(ReadNumberPair(ReadTextFile(DataPath(kMainSizeFile))), units.dpi));
  // A saved position may lie outside this size (a panel dragged in a maximised window).
  KeepPanelInClient(units);
  loading.SetProgress(100);
  LogStartupStep("caption and layout files");

  loading.Destroy();  // step 12
  LogStartupStep("loading window destroyed");
}

}  // namespace app
