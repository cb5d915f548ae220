// The notification-area icon of the main window.
#pragma once

#include <windows.h>

#include <string>

namespace app {

// Adds the program icon at the small-icon size of the window's DPI with the fixed tip of the
// program's language; notifications arrive as kTrayMessage. Returns false when the shell refused
// it.
bool AddTrayIcon(HWND window);
// The tip in the program's language now.
void UpdateTrayTip(HWND window);
void RemoveTrayIcon(HWND window);
// A balloon from the icon: the title, and the text under it.
bool ShowTrayBalloon(HWND window, const wchar_t* title, const std::wstring& text);

}  // namespace app
