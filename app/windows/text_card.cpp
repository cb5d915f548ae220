#include "app/windows/text_card.h"

#include <algorithm>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_path.h"
#include "graphics/path_routines.h"
#include "skin/backdrop/control_backdrop.h"
#include "skin/caption/caption_ink.h"
#include "skin/contrast/high_contrast.h"
#include "skin/gdi/gdi_handles.h"

namespace app {
void PaintTextCard(HWND window, HDC target, const CardShape& shape,
                   const std::function<void(HDC dc, int width)>& text) {
  RECT rc;
  GetClientRect(window, &rc);
  const int width = rc.right, height = rc.bottom;
  if (skin::HighContrastOn(window)) {
    // The system's colours only, and no picture behind the text.
    skin::MemoryDc plain;
    if (!plain.SelectNewDib(width, height)) return;
    FillRect(plain.dc(), &rc, GetSysColorBrush(COLOR_WINDOW));
    SetBkMode(plain.dc(), TRANSPARENT);
    SetTextColor(plain.dc(), GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ oldFont = SelectObject(plain.dc(), GetStockObject(DEFAULT_GUI_FONT));
    if (text) text(plain.dc(), width);
    SelectObject(plain.dc(), oldFont);
    BitBlt(target, 0, 0, width, height, plain.dc(), 0, 0, SRCCOPY);
    return;
  }
  HDC backdrop = skin::ControlBackdrop(window, rc);
  // Without a backdrop the card is composed on plain button face.
  skin::MemoryDc plain;
  if (!backdrop) {
    if (!plain.SelectNewDib(width, height)) return;
    RECT all{0, 0, width, height};
    FillRect(plain.dc(), &all, GetSysColorBrush(COLOR_BTNFACE));
  }
  HDC dc = backdrop ? backdrop : plain.dc();
  {
    graphics::GfxGraphics g;
    graphics::GfxPath card;
    graphics::GfxSolidBrush wash;
    if (g.FromHdc(dc) && card.Create() &&
        wash.Create((static_cast<graphics::Argb>(shape.washAlpha) << 24) | 0xFFFFFF)) {
      g.SetSmoothingMode(graphics::kSmoothingAntiAlias);
      const auto inset = static_cast<float>(shape.inset);
      graphics::AddRoundRect(card, inset, inset, width - 2 * inset - 1.0f,
                             shape.height - 2 * inset - 1.0f, shape.radius);
      g.FillPath(wash, card);
      graphics::StrokePath(g, card, 1, 0x202020, 60);
    }
  }
  SetBkMode(dc, TRANSPARENT);
  // Dark on the card where that reads; a dark picture can show through the wash too strongly.
  const RECT card{shape.inset, shape.inset, width - shape.inset,
                  std::min(shape.height, height) - shape.inset};
  SetTextColor(dc, skin::ReadableTextColour(dc, card, RGB(0x20, 0x20, 0x20)));
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  if (text) text(dc, width);
  SelectObject(dc, oldFont);
  BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
  if (backdrop) skin::ReleaseControlBackdrop(window, backdrop);
}

}  // namespace app
