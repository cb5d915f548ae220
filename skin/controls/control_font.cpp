#include "skin/controls/control_font.h"

#include "graphics/gfx_font.h"

namespace skin::controls {

ControlFontInfo ReadControlFont(HWND control) {
  ControlFontInfo info;
  const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  HDC dc = GetDC(control);
  if (!dc) return info;
  {
    graphics::GfxFont gdiplusFont;
    if (gdiplusFont.FromHdc(dc, font)) {
      float size = 0;
      if (gdiplusFont.GetSize(&size)) info.size = static_cast<int32_t>(size);
      gdiplusFont.GetStyle(&info.style);
      graphics::GfxFontFamily family;
      if (gdiplusFont.GetFamily(&family)) family.GetFamilyName(&info.face);
    }
  }
  ReleaseDC(control, dc);
  return info;
}

}  // namespace skin::controls
