// What a window shows on the screen, as pixels, and its comparison with a checked-in picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct WindowPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top down; 0 outside the window's region
  bool operator==(const WindowPicture&) const = default;
};

// The window's whole rectangle as the screen shows it. Pixels the window's region cuts away
// (rounded corners) show whatever lies behind, so they are cleared.
WindowPicture CaptureWindow(HWND window);

class PlayerProcess;

// The window once the player has painted what was pending when it announced line `from`: two
// refreshes of its face later. The face's refresh is a timer message, which comes only when no
// paint waits, and between two of them the player has gone idle and flushed its drawing to the
// screen. An empty picture when the player announced none in time.
WindowPicture CaptureAfter(const PlayerProcess& player, HWND window, size_t from);

// Runs the built gallery, which writes the picture of its window to `png` and ends; its exit
// code, or 0xFFFE when it did not end within a minute.
DWORD RunGalleryScreenshot(const std::string& png);

bool SavePng(const WindowPicture& picture, const std::string& path);
bool LoadPng(const std::string& path, WindowPicture& picture);

// Empty when the picture equals the reference `name` in the checked-in folder; otherwise what
// differs (size, number of pixels, the first one), with the picture written beside the build's
// scratch files for a look. With VELORY_UPDATE_REFERENCES set the reference is replaced.
// Pixels inside `masked` (what changes from day to day) are cleared in both first.
std::string CompareWithReference(WindowPicture picture, const std::string& name,
                                 const std::vector<RECT>& masked = {});

}  // namespace testing_support
