#include "skin/frame/min_max.h"

namespace skin {

int32_t TaskbarHeight() {
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!taskbar) return 0;
  RECT r{};
  if (!GetWindowRect(taskbar, &r)) return 0;
  return r.bottom - r.top;
}

SIZE MaximisedSize() {
  return SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) - TaskbarHeight()};
}

void FillMinMaxInfo(const WindowSkinRecord& record, MINMAXINFO* info) {
  if (!info) return;
  info->ptMinTrackSize = POINT{record.minTrackWidth, record.minTrackHeight};
  if (record.maximised) {
    const SIZE size = MaximisedSize();
    info->ptMaxTrackSize = POINT{size.cx, size.cy};
  } else {
    info->ptMaxTrackSize = POINT{record.maxTrackWidth, record.maxTrackHeight};
  }
}

}  // namespace skin
