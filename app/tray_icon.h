// The notification-area icon of the main window.
#pragma once

#include <windows.h>

namespace app {

inline constexpr wchar_t kTrayTip[] = L"Velory音乐播放器 V3.5";

// Adds the program icon at the small-icon size of the window's DPI with the fixed tip; notifications arrive as
// kTrayMessage. Returns false when the shell refused it.
bool AddTrayIcon(HWND window);
void RemoveTrayIcon(HWND window);

}  // namespace app
