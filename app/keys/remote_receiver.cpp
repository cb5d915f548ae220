#include "app/keys/remote_receiver.h"

#include "app/announcer.h"
#include "app/data/source_setting.h"
#include "app/keys/remote_command.h"
#include "app/keys/single_instance.h"
#include "app/media/playback_handlers.h"
#include "app/windows/window_events.h"

namespace app {
namespace {

void BringToFront(PlayerUnits& units) {
  HWND w = units.window;
  if (!IsWindowVisible(w) || IsIconic(w)) {
    ShowFromTray(units);
    return;
  }
  SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  SetWindowPos(w, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  SetForegroundWindow(w);
}

PlayerCommand CommandFor(RemoteVerb verb) {
  switch (verb) {
    case RemoteVerb::kPlayPause:
      return PlayerCommand::kPlayPause;
    case RemoteVerb::kNext:
      return PlayerCommand::kNext;
    case RemoteVerb::kPrevious:
      return PlayerCommand::kPrevious;
    case RemoteVerb::kStop:
      return PlayerCommand::kStop;
    case RemoteVerb::kShow:
    case RemoteVerb::kSource:
      break;
  }
  return PlayerCommand::kNone;
}

}  // namespace

LRESULT OnRemoteCopyData(PlayerUnits& units, bool creating, const COPYDATASTRUCT* data) {
  const auto request =
      data ? DecodeRemoteRequest(data->dwData, data->lpData, data->cbData) : std::nullopt;
  if (!request) {
    Announce().Say("remote refused");
    return 0;
  }
  if (creating) return kRemoteBusy;
  Announce().Say("remote ", RemoteVerbName(request->verb));
  if (request->verb == RemoteVerb::kShow) {
    BringToFront(units);
  } else if (request->verb == RemoteVerb::kSource) {
    // Taken at once, but used after this message: reading a folder would keep the second
    // start waiting for its answer.
    if (!KeepSourceFromRemote(request->argument)) return kRemoteRefused;
    PostMessageW(units.window, kUseKeptSourceMessage, 0, 0);
  } else {
    RunPlayerCommand(CommandFor(request->verb));
  }
  return kRemoteDone;
}

}  // namespace app
