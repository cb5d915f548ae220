// Windows for skin tests: a plain top-level window whose own procedure records what reaches it
// and can keep the modal move and size loops from running, plus helpers to read pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "skin/controls/face_layers.h"
#include "skin/skin_engine.h"
#include "skin/window_record.h"

namespace skin_test {

// The engine every window test skins with: made by the test session (or the benchmark).
extern skin::SkinEngine* engine;

struct Observed {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class TestWindow {
 public:
  // A borderless popup of that client size with the extra style bits; shown when asked.
  TestWindow(int width, int height, DWORD extraStyle = 0, bool show = true, int x = 60, int y = 60);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  // Keeps WM_SYSCOMMAND size/move codes and WM_NCLBUTTONDOWN from starting a modal loop; they
  // are recorded only.
  void InterceptMoveAndSize(bool on);
  // Also keeps minimise, maximise, restore and close from happening; they are recorded only.
  void InterceptSysCommands(bool on);
  const std::vector<Observed>& seen() const;
  void ClearSeen();
  // The move/size codes and caption presses that arrived, in order (HTCAPTION presses as 2).
  std::vector<WPARAM> MoveSizeRequests() const;
  // The WM_SYSCOMMAND codes that arrived, in order.
  std::vector<WPARAM> SysCommands() const;
  int Count(UINT message) const;
  void Destroy();

 private:
  HWND hwnd_ = nullptr;
};

// Skins the window the way the application does, with the given picture.
void SkinLikeTheApplication(HWND window, const std::vector<uint8_t>& picture);
// The record of a skinned window (null when none).
skin::WindowSkinRecord* RecordOf(HWND window);
int32_t IndexOf(HWND window);
// Handles the queued messages for a while.
void Pump(DWORD milliseconds = 0);
// A PNG of one colour (COLORREF), made with GDI+.
std::vector<uint8_t> SolidPicture(int width, int height, COLORREF colour);
// A PNG: left half one colour, right half another.
std::vector<uint8_t> TwoColourPicture(int width, int height, COLORREF left, COLORREF right);
// What the screen shows at a point of the window's whole area (window DC coordinates).
COLORREF WindowPixel(HWND window, int x, int y);
// Every pixel of the window's whole area as the screen shows it, row by row.
std::vector<uint32_t> WindowPixels(HWND window);
// Puts a pixel of that colour on the screen there: only a repaint of that part takes it away.
void MarkWindowPixel(HWND window, int x, int y, COLORREF mark);
// Whether a pixel shows the accent the tests skin with (0xFF8800: blue over green over red) laid
// over the picture or a wash, rather than a grey or black line.
bool ShowsAccent(COLORREF pixel);
// A pixel of the window's back buffer (0x00BBGGRR).
COLORREF BackBufferPixel(HWND window, int x, int y);
// Resets the engine-wide settings to the values process start gives them.
void ResetSkinSettings();
// Dispatches a mouse message as if the pointer was at (x, y) in the client area.
LRESULT SendMouse(HWND window, UINT message, int x, int y, WPARAM keys = 0);

// What the painters and the picture cache did since the process started, seen through the paint
// observer this file installs.
struct FaceWork {
  uint32_t paints = 0;
  HWND lastWindow = nullptr;
  UINT lastState = 0;
  std::vector<skin::controls::Layer> lastLayers;
};
struct PictureWork {
  uint32_t decodes = 0;
  uint32_t compositions = 0;
};
// What the painters of the engine told since it was watched.
void WatchPaints(skin::SkinEngine& engine);
FaceWork& faceWork();
PictureWork& pictureWork();

}  // namespace skin_test
