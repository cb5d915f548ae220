// The program icon at the size a window's DPI asks for: the tray's small icon and the window's
// big and small icons, each loaded from the images made for that size instead of stretched.
#pragma once

#include <windows.h>

namespace app {

// The program icon (resource 129, else the embedded ICO file) size x size pixels, made from the
// image of that size or scaled down from the next larger one; null when neither is there.
// The caller destroys it.
HICON LoadProgramIcon(int size);
// Gives the window the program's big and small icons for its DPI; the icons it had from here
// before are destroyed.
void SetWindowIcons(HWND window);

}  // namespace app
