// The taskbar surface of the real shell: ITaskbarList3 for one window, with the buttons' icons
// drawn at the window's DPI.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shobjidl.h>

#include <vector>

#include "app/desktop/taskbar_presenter.h"
#include "app/media/com_ptr.h"

namespace app {

class ShellTaskbar final : public TaskbarSurface {
 public:
  ShellTaskbar(HWND window, int dpi);  // needs COM on this thread; does nothing without the shell
  ~ShellTaskbar() override;
  ShellTaskbar(const ShellTaskbar&) = delete;
  ShellTaskbar& operator=(const ShellTaskbar&) = delete;

  void AddButtons(const std::vector<ThumbButton>& buttons) override;
  void UpdateButtons(const std::vector<ThumbButton>& buttons) override;
  void SetProgress(TaskbarProgress state, unsigned done, unsigned total) override;

 private:
  std::vector<THUMBBUTTON> Describe(const std::vector<ThumbButton>& buttons) const;

  HWND window_;
  ComPtr<ITaskbarList3> list_;
  HICON icons_[4] = {};  // by ThumbIcon
};

}  // namespace app
