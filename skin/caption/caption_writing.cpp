#include "skin/caption/caption_writing.h"

#include <algorithm>
#include <cmath>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_string_format.h"
#include "graphics/path_routines.h"
#include "skin/caption/caption_fit.h"
#include "skin/caption/caption_ink.h"
#include "skin/frame/skin_font.h"
#include "skin/window_record.h"

namespace skin {
namespace {

constexpr int32_t kTextRenderingAntiAliasGridFit = 3;
constexpr int32_t kStringFormatNoWrap = 0x1000;

std::wstring FamilyOf(const graphics::GfxFont& font) {
  graphics::GfxFontFamily family;
  std::wstring name;
  if (!font.GetFamily(&family) || !family.GetFamilyName(&name)) return {};
  return name;
}

}  // namespace

CaptionWritten WriteCaption(HDC back, const WindowSkinRecord& record, const std::wstring& text,
                            const graphics::GfxRectF& layout, int32_t textRight,
                            int32_t clientBottom) {
  CaptionWritten written;
  graphics::GfxGraphics g;
  graphics::GfxFont font;
  graphics::GfxStringFormat format;
  if (text.empty() || !g.FromHdc(back) ||
      !CreateSkinFont(font, record.captionFontName, record.Px(record.captionFontSize),
                      record.captionFontFlag == 1 ? 1 : 0, kSkinFontUnit, text) ||
      !format.Create(kStringFormatNoWrap)) {
    return written;
  }
  const int32_t edge = record.Line(1);
  // Cut before the caption buttons rather than covered by them; the edge stays clear too.
  const graphics::GfxRectF open{layout.x, layout.y, 1e6f, layout.height};
  const auto measure = [&](const std::wstring& t) {
    graphics::GfxRectF b{};
    return g.MeasureString(t, font, open, format, &b) ? b.width : 1e9f;
  };
  const std::wstring shown =
      FitWithEllipsis(text, static_cast<float>(textRight - edge) - layout.x, measure);
  graphics::GfxRectF bounds{};
  if (shown.empty() || !g.MeasureString(shown, font, layout, format, &bounds)) return written;

  // Judged over the picture under the text.
  const RECT under{static_cast<LONG>(std::floor(bounds.x)), static_cast<LONG>(std::floor(bounds.y)),
                   std::min<LONG>(static_cast<LONG>(std::ceil(bounds.x + bounds.width)), textRight),
                   static_cast<LONG>(std::ceil(bounds.y + bounds.height))};
  const CaptionInk ink =
      CaptionInkFor(record.captionTextColour, record.captionHaloColour, TonesBehind(back, under));
  graphics::GfxSolidBrush halo, face;
  if (!halo.Create(graphics::ArgbFromColorref(ink.edge, ink.edgeAlpha)) ||
      !face.Create(graphics::ArgbFromColorref(ink.text, 255))) {
    return written;
  }
  g.SetTextRenderingHint(kTextRenderingAntiAliasGridFit);
  g.SetClipRect(0, 0, static_cast<float>(textRight), static_cast<float>(clientBottom));
  if (ink.edgeAlpha > 0) {
    constexpr int kOffsets[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& o : kOffsets) {
      const graphics::GfxRectF shifted{layout.x + static_cast<float>(o[0] * edge),
                                       layout.y + static_cast<float>(o[1] * edge), layout.width,
                                       layout.height};
      g.DrawString(shown, font, shifted, format, halo);
    }
  }
  g.DrawString(shown, font, layout, format, face);
  written.shown = shown;
  written.face = FamilyOf(font);
  written.right = static_cast<int32_t>(std::ceil(bounds.x + bounds.width)) + edge;
  return written;
}

}  // namespace skin
