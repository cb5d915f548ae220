// A tray balloon with the song's title when a song starts while the player is out of sight, if
// the user switched them on and the system is not in quiet time.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

namespace app {

// Whether to show it: switched on, the window hidden or not in front, and the system taking
// notifications (not presenting, not in a full-screen program, not in quiet time).
bool ShouldTellSong(bool switchedOn, bool windowInFront, QUERY_USER_NOTIFICATION_STATE state);

// The song with this title starts now.
void TellSongStarting(HWND window, bool switchedOn, const std::wstring& title);

}  // namespace app
