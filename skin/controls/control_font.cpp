#include "skin/controls/control_font.h"

#include "graphics/gfx_font.h"
#include "skin/gdi/gdi_scoped.h"

namespace skin::controls {

ControlFontInfo ReadControlFont(HWND control) {
  ControlFontInfo info;
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  ClientDc dc(control);
  if (!dc) return info;
  graphics::GfxFont gdiplusFont;
  if (gdiplusFont.FromHdc(dc, font)) {
    float size = 0;
    if (gdiplusFont.GetSize(&size)) info.size = static_cast<int32_t>(size);
    gdiplusFont.GetStyle(&info.style);
    graphics::GfxFontFamily family;
    if (gdiplusFont.GetFamily(&family)) family.GetFamilyName(&info.face);
  }
  return info;
}

}  // namespace skin::controls
