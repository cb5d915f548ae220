#include "app/windows/loading_window.h"

#include <commctrl.h>

#include "app/windows/player_units.h"
#include "app/windows/unit_scale.h"
#include "graphics/dpi_context.h"

namespace app {
namespace {

LRESULT CALLBACK LoadingWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Closing it while the player starts means leaving the program: the start-up sees the quit
  // after its request and ends.
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterLoadingClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kLoadingWindowClass, &wc)) return;
  wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = LoadingWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kLoadingWindowClass;
  RegisterClassExW(&wc);
}

}  // namespace

LoadingWindow::LoadingWindow() {
  RegisterLoadingClass();
  const UnitGeometry g = ScaledUnit(kLoadingWindowDesign, graphics::SystemDpi());
  // Borderless, so that the window rectangle is the client rectangle the skin paints.
  hwnd_ = CreateWindowExW(0, kLoadingWindowClass, L"", WS_POPUP | WS_CLIPCHILDREN, g.left, g.top,
                          g.width, g.height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return;
  const UnitGeometry p = ScaledUnit(k进度条1, graphics::DpiForWindow(hwnd_));
  进度条1 = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, p.left, p.top, p.width,
                            p.height, hwnd_, reinterpret_cast<HMENU>(kId进度条1),
                            GetModuleHandleW(nullptr), nullptr);
  SendMessageW(进度条1, PBM_SETRANGE32, 0, 100);
  SendMessageW(进度条1, PBM_SETPOS, 0, 0);
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

LoadingWindow::~LoadingWindow() { Destroy(); }

void LoadingWindow::SetProgress(int value) {
  if (!进度条1) return;
  SendMessageW(进度条1, PBM_SETPOS, value, 0);
  UpdateWindow(进度条1);
}

void LoadingWindow::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  进度条1 = nullptr;
}

}  // namespace app
