// The program icon at the size a window's DPI asks for: the tray's small icon and the window's
// big and small icons, each loaded from the images made for that size instead of stretched.
#pragma once

#include <windows.h>

namespace app {

// The program icon (resource 129, else the embedded ICO file) size x size pixels, made from the
// image of that size or scaled down from the next larger one; null when neither is there.
// The caller destroys it.
HICON LoadProgramIcon(int size);
// The icons SetWindowIcons gave a window last, destroyed when replaced or at the end.
struct WindowIcons {
  WindowIcons() = default;
  WindowIcons(const WindowIcons&) = delete;
  WindowIcons& operator=(const WindowIcons&) = delete;
  ~WindowIcons() {
    if (big) DestroyIcon(big);
    if (small) DestroyIcon(small);
  }
  HICON big = nullptr;
  HICON small = nullptr;
};
// Gives the window the program's big and small icons for its DPI; the ones kept from before are
// destroyed.
void SetWindowIcons(HWND window, WindowIcons& kept);

}  // namespace app
