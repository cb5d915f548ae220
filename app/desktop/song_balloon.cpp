#include "app/desktop/song_balloon.h"

#include "app/announcer.h"
#include "app/data/language.h"
#include "app/desktop/tray_icon.h"

namespace app {

bool ShouldTellSong(bool switchedOn, bool windowInFront, QUERY_USER_NOTIFICATION_STATE state) {
  return switchedOn && !windowInFront && state == QUNS_ACCEPTS_NOTIFICATIONS;
}

void TellSongStarting(HWND window, bool switchedOn, const std::wstring& title) {
  if (!switchedOn || !window || title.empty()) return;
  const bool inFront =
      IsWindowVisible(window) && !IsIconic(window) && GetForegroundWindow() == window;
  QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
  // Where the system cannot say, it is taken as accepting them.
  if (FAILED(SHQueryUserNotificationState(&state))) state = QUNS_ACCEPTS_NOTIFICATIONS;
  if (!ShouldTellSong(switchedOn, inFront, state)) {
    Announce().Say("balloon withheld ", static_cast<int>(state), inFront ? " in front" : "");
    return;
  }
  const bool shown = ShowTrayBalloon(window, Texts().menuBalloons, title);
  Announce().Say("balloon ", shown ? "" : "refused ", title);
}

}  // namespace app
