// The font a control draws its text in, as GDI+ sees it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace skin::controls {

struct ControlFontInfo {
  std::wstring face;
  int32_t size = 0;
  int32_t style = 0;  // bold 1, italic 2, underline 4, strike-out 8
};

// The control's WM_GETFONT font (the DC's own font when it has none), read through GDI+.
ControlFontInfo ReadControlFont(HWND control);

}  // namespace skin::controls
