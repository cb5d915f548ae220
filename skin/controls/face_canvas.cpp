#include "skin/controls/face_canvas.h"

#include <algorithm>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_font.h"
#include "graphics/gfx_string_format.h"
#include "graphics/path_routines.h"
#include "skin/backdrop/control_backdrop.h"
#include "skin/caption/caption_ink.h"
#include "skin/frame/paint_observer.h"
#include "skin/frame/skin_font.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"

namespace skin::controls {

void NoteFace(HWND window, UINT state, const std::vector<Layer>& layers) {
  const SkinEngine* engine = EngineOf(window);
  if (engine && engine->paintObserver) engine->paintObserver->Face(window, state, layers);
}

FaceCanvas::FaceCanvas(HWND control, const RECT& rect)
    : control_(control),
      rect_(rect),
      width_(std::max<int32_t>(rect.right - rect.left, 1)),
      height_(std::max<int32_t>(rect.bottom - rect.top, 1)),
      backdrop_(ControlBackdrop(control, rect)) {
  ok_ = backdrop_ && graphics_.FromHdc(backdrop_);
}

FaceCanvas::~FaceCanvas() {
  graphics_.Delete();
  if (backdrop_) ReleaseControlBackdrop(control_, backdrop_);
}

void FaceCanvas::CopyTo(HDC target) {
  if (copied_ || !backdrop_ || !target) return;
  copied_ = true;
  graphics_.Delete();  // everything drawn is in the bitmap before it is copied
  BitBlt(target, rect_.left, rect_.top, width_, height_, backdrop_, 0, 0, SRCCOPY);
}

graphics::GfxRectF DrawCaptionText(graphics::GfxGraphics& g, HDC surface, HWND control,
                                   const std::wstring& text, const CaptionStyle& style,
                                   const graphics::GfxRectF& layout) {
  if (text.empty()) return {};
  graphics::GfxFont font;
  if (!CreateSkinFont(font, style.face, style.size, style.style, style.unit)) return layout;
  graphics::GfxStringFormat format;
  if (!format.Create()) return layout;
  format.SetAlignment(style.alignment);
  format.SetLineAlignment(style.lineAlignment);
  format.SetHotkeyPrefix(1);  // "&x" shows x underlined, as on a system button
  auto colour = static_cast<COLORREF>(prop::Get(control, prop::Kj_Ztys));
  // Judged on what lies under the text itself, layers drawn so far included.
  graphics::GfxRectF bounds = layout;
  if (surface && g.MeasureString(text, font, layout, format, &bounds)) {
    g.Flush(1);
    const RECT under{
        static_cast<LONG>(std::max(bounds.x, layout.x)),
        static_cast<LONG>(std::max(bounds.y, layout.y)),
        static_cast<LONG>(std::min(bounds.x + bounds.width, layout.x + layout.width)),
        static_cast<LONG>(std::min(bounds.y + bounds.height, layout.y + layout.height))};
    colour = ReadableTextColour(surface, under, colour);
  }
  graphics::GfxSolidBrush brush;
  if (!brush.Create(graphics::ArgbFromColorref(colour, style.dimmed ? 120 : 255))) return bounds;
  g.SetTextRenderingHint(4);  // anti-aliased, grid-fitted: the face is translucent
  g.DrawString(text, font, layout, format, brush);
  return bounds;
}

}  // namespace skin::controls
