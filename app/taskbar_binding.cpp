#include "app/taskbar_binding.h"

#include <memory>

#include "app/playback_handlers.h"
#include "app/shell_taskbar.h"

namespace app {
namespace {

constexpr UINT_PTR kTaskbarTimer = 0x7A5B;
constexpr UINT kTaskbarInterval = 500;  // the progress moves in whole seconds

struct Taskbar {
  Taskbar(HWND window, int dpi) : window(window), surface(window, dpi), presenter(surface) {}
  HWND window;
  ShellTaskbar surface;
  TaskbarPresenter presenter;
};

std::unique_ptr<Taskbar>& Current() {
  static std::unique_ptr<Taskbar> taskbar;
  return taskbar;
}

}  // namespace

void StartTaskbar(HWND window, int dpi) {
  Current() = std::make_unique<Taskbar>(window, dpi);
  SetTimer(window, kTaskbarTimer, kTaskbarInterval, nullptr);
}

void StopTaskbar() {
  if (!Current()) return;
  KillTimer(Current()->window, kTaskbarTimer);
  Current().reset();
}

UINT TaskbarButtonCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarButtonCreated");
  return message;
}

void OnTaskbarButtonCreated() {
  if (Current()) Current()->presenter.ButtonCreated();
}

bool OnTaskbarTimer(WPARAM id) {
  if (id != kTaskbarTimer) return false;
  if (Current()) Current()->presenter.Show(CurrentTaskbarView());
  return true;
}

bool OnThumbButton(WPARAM commandWParam) {
  if (HIWORD(commandWParam) != THBN_CLICKED) return false;
  switch (LOWORD(commandWParam)) {
    case kThumbPrevious:
      RunPlayerCommand(PlayerCommand::kPrevious);
      return true;
    case kThumbPlayPause:
      RunPlayerCommand(PlayerCommand::kPlayPause);
      return true;
    case kThumbNext:
      RunPlayerCommand(PlayerCommand::kNext);
      return true;
  }
  return false;
}

}  // namespace app
