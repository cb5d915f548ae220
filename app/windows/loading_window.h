// The small window whose progress bar is the only feedback while the main window is prepared.
#pragma once

#include <windows.h>

namespace app {

class LoadingWindow {
 public:
  // Creates and shows the window with its progress bar 进度条1 at 0.
  LoadingWindow();
  ~LoadingWindow();
  LoadingWindow(const LoadingWindow&) = delete;
  LoadingWindow& operator=(const LoadingWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  void SetProgress(int value);
  void Destroy();

 private:
  HWND hwnd_ = nullptr;
  HWND 进度条1 = nullptr;
};

}  // namespace app
