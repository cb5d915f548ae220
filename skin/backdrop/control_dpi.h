// The DPI a control's face is drawn for: its skinned window's, which follows WM_DPICHANGED.
#pragma once

#include <windows.h>

namespace skin {

int ControlDpi(HWND control);

}  // namespace skin
