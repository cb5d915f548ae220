#include "app/desktop/taskbar_binding.h"

#include <memory>

#include "app/application.h"
#include "app/desktop/shell_taskbar.h"
#include "app/media/playback_handlers.h"

namespace app {
namespace {

constexpr UINT_PTR kTaskbarTimer = 0x7A5B;
constexpr UINT kTaskbarInterval = 500;  // the progress moves in whole seconds

}  // namespace

struct TaskbarState {
  TaskbarState(HWND window, int dpi) : window(window), surface(window, dpi), presenter(surface) {}
  HWND window;
  ShellTaskbar surface;
  TaskbarPresenter presenter;
};

void TaskbarStateDeleter::operator()(TaskbarState* state) const { delete state; }

void StartTaskbar(HWND window, int dpi) {
  App().taskbar.reset(new TaskbarState(window, dpi));
  SetTimer(window, kTaskbarTimer, kTaskbarInterval, nullptr);
}

void StopTaskbar() {
  if (!App().taskbar) return;
  KillTimer(App().taskbar->window, kTaskbarTimer);
  App().taskbar.reset();
}

void OnTaskbarButtonCreated() {
  if (App().taskbar) App().taskbar->presenter.ButtonCreated();
}

bool OnTaskbarTimer(WPARAM id) {
  if (id != kTaskbarTimer) return false;
  if (App().taskbar) App().taskbar->presenter.Show(CurrentTaskbarView());
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
