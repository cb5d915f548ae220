#include "skin/controls/button_faces.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "embedded/resources.h"
#include "graphics/dpi_scale.h"
#include "graphics/gfx_brush.h"
#include "graphics/gfx_image.h"
#include "graphics/gfx_path.h"
#include "graphics/gfx_pen.h"
#include "graphics/path_routines.h"
#include "skin/backdrop/control_dpi.h"
#include "skin/caption/caption_glyphs.h"
#include "skin/caption/caption_ink.h"
#include "skin/controls/button_skin.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/focus_cues.h"
#include "skin/gdi/gdi_scoped.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

using graphics::Argb;
using graphics::ArgbFromColorref;
using graphics::GfxGraphics;
using graphics::GfxLinearBrush;
using graphics::GfxPath;
using graphics::GfxPen;
using graphics::GfxSolidBrush;

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kGlow = 0xDDCA22;  // focus and hot glow: fixed, not the accent colour

void Fill(GfxGraphics& g, const GfxPath& path, Argb colour) {
  GfxSolidBrush brush;
  if (brush.Create(colour)) g.FillPath(brush, path);
}

void FillGradient(GfxGraphics& g, const GfxPath& path, graphics::GfxPointF from,
                  graphics::GfxPointF to, Argb start, Argb end) {
  GfxLinearBrush brush;
  if (brush.Create(from, to, start, end)) g.FillPath(brush, path);
}

void Outline(GfxGraphics& g, const GfxPath& path, Argb colour, float width = 1) {
  GfxPen pen;
  if (pen.Create(colour, width)) g.DrawPath(pen, path);
}

GfxPath RoundRect(float x, float y, float w, float h, float r) {
  GfxPath path;
  if (path.Create()) graphics::AddRoundRect(path, x, y, w, h, r);
  return path;
}

GfxPath Ellipse(float x, float y, float w, float h) {
  GfxPath path;
  if (path.Create()) path.AddEllipse(x, y, w, h);
  return path;
}

CaptionStyle StyleOf(const ButtonSkin* button, int32_t unit) {
  CaptionStyle style;
  if (button) {
    style.face = button->fontFace;
    style.size = button->fontSize;
    style.style = button->fontStyle;
  }
  style.unit = unit;
  return style;
}

// A window text that is not in a record (a face painted for a button never attached).
std::wstring TextOf(HWND window, const ButtonSkin* button) {
  if (button) return button->text;
  wchar_t text[256] = {};
  GetWindowTextW(window, text, static_cast<int>(std::size(text)));
  return text;
}

bool IsChecked(HWND window) { return SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Runs the painter on the given DC, or on one of the window's own for the whole client area.
template <typename Paint>
void OnClientArea(HWND window, HDC target, Paint paint) {
  RECT client{};
  GetClientRect(window, &client);
  if (target) {
    paint(target, client);
    return;
  }
  ClientDc dc(window);
  if (dc) paint(dc, client);
}

// A rounded line round the caption in the accent colour, or black or white where the accent
// would not stand out from what lies there.
void DrawFocusCue(GfxGraphics& g, HDC surface, COLORREF accent, const graphics::GfxRectF& caption,
                  float w, float h) {
  if (caption.width <= 0) return;
  const float x = std::max(caption.x - 2, 0.0f);
  const float right = std::min(caption.x + caption.width + 2, w - 1);
  const float y = std::max(caption.y - 1, 0.0f);
  const float bottom = std::min(caption.y + caption.height + 1, h - 1);
  if (right <= x || bottom <= y) return;
  g.Flush(1);
  // Judged on the strip the line's lower edge runs along, clear of the caption's letters.
  const RECT along{static_cast<LONG>(x), static_cast<LONG>(bottom) - 1,
                   static_cast<LONG>(right) + 1, static_cast<LONG>(bottom) + 1};
  const COLORREF colour = ReadableTextColour(surface, along, accent);
  Outline(g, RoundRect(x, y, right - x, bottom - y, 3), ArgbFromColorref(colour, 255));
}

// A push-style face over rect, in the given layers: the caption in the button's font at
// captionAt is common; makeDrawer(canvas) gives what draws the rest.
template <typename MakeDrawer>
void PaintButton(HWND window, HDC target, UINT state, const RECT& rect,
                 const std::vector<Layer>& layers, graphics::GfxPointF captionAt,
                 MakeDrawer makeDrawer) {
  FaceCanvas canvas(window, rect);
  if (!canvas.ok()) return;
  NoteFace(window, state, layers);
  auto draw = makeDrawer(canvas);
  for (const Layer layer : layers) {
    if (layer != Layer::kCaption) {
      draw(layer);
      continue;
    }
    const ButtonSkin* button = ButtonOf(window);
    DrawCaptionText(canvas.g(), canvas.dc(), window, TextOf(window, button),
                    StyleOf(button, graphics::kUnitWorld),
                    {captionAt.x, captionAt.y, canvas.width(), canvas.height()});
  }
  canvas.CopyTo(target);
}

// Where a toggle's caption starts and how far short of the right edge it stops, at 96 dpi.
struct ToggleCaption {
  float left;
  float rightMargin;
};

// A radio button's or check box's face over its client area, in the layers of its live state:
// the caption (dimmed when disabled) and the focus cue round it are common; makeDrawer(canvas, dpi)
// gives what draws the rest.
template <typename MakeDrawer>
void PaintToggle(HWND window, UINT state, HDC target, ToggleCaption at,
                 std::vector<Layer> (*layersOf)(UINT, bool), MakeDrawer makeDrawer) {
  OnClientArea(window, target, [&](HDC dc, const RECT& client) {
    FaceCanvas canvas(window, client);
    if (!canvas.ok()) return;
    const int dpi = ControlDpi(window);
    const UINT live = LiveToggleState(window, state);
    const std::vector<Layer> layers = layersOf(live, IsChecked(window));
    NoteFace(window, live, layers);
    const auto px = [dpi](float length) { return graphics::ScaleFloat(length, dpi); };
    const graphics::GfxRectF box{px(at.left), px(2), canvas.width() - px(at.rightMargin),
                                 canvas.height()};
    graphics::GfxRectF caption{};
    auto draw = makeDrawer(canvas, dpi);
    for (const Layer layer : layers) {
      if (layer == Layer::kFocusCue) {
        DrawFocusCue(canvas.g(), canvas.dc(), SettingsOf(window).accentColour, caption,
                     canvas.width(), canvas.height());
      } else if (layer == Layer::kCaption) {
        const ButtonSkin* button = ButtonOf(window);
        CaptionStyle style = StyleOf(button, graphics::kUnitPixel);
        style.alignment = 0;
        style.dimmed = (live & kStateDisabled) != 0;
        caption =
            DrawCaptionText(canvas.g(), canvas.dc(), window, TextOf(window, button), style, box);
      } else {
        draw(layer);
      }
    }
    canvas.CopyTo(dc);
  });
}

}  // namespace

void PaintPushButton(HWND window, HDC target, UINT state, const RECT& rect) {
  const COLORREF accent = SettingsOf(window).accentColour;
  PaintButton(window, target, state, rect, PushButtonLayers(state), {0, 2},
              [accent](FaceCanvas& canvas) {
                GfxGraphics& g = canvas.g();
                const float w = canvas.width();
                const float h = canvas.height();
                return [&g, w, h, face = RoundRect(0, 0, w - 1, h - 1, 5), accent](Layer layer) {
                  switch (layer) {
                    case Layer::kWhiteBase:
                      Fill(g, face, ArgbFromColorref(kWhite, 120));
                      break;
                    case Layer::kDisabledFill: {
                      GfxSolidBrush silver;
                      if (silver.Create(ArgbFromColorref(0xC0C0C0, 255)))
                        g.FillRectangle(silver, 0, 0, w, h);
                      break;
                    }
                    case Layer::kDisabledOutline:
                      Outline(g, face, ArgbFromColorref(kBlack, 80));
                      break;
                    case Layer::kShade:
                      FillGradient(g, face, {0, 0}, {0, h - 1}, ArgbFromColorref(kWhite, 0),
                                   ArgbFromColorref(0x808080, 60));
                      break;
                    case Layer::kGloss: {
                      GfxPath top;
                      if (top.Create())
                        graphics::AddTopRoundRect(top, 0, 0, w - 1, static_cast<int>(h * 0.5f), 5);
                      FillGradient(g, top, {0, 0}, {0, h * 0.5f}, ArgbFromColorref(kWhite, 50),
                                   ArgbFromColorref(kWhite, 10));
                      break;
                    }
                    case Layer::kHotFill:
                      FillGradient(g, face, {0, 0}, {0, h - 1}, ArgbFromColorref(accent, 60),
                                   ArgbFromColorref(accent, 10));
                      break;
                    case Layer::kHotOutline:
                      Outline(g, face, ArgbFromColorref(accent, 255));
                      break;
                    case Layer::kFocusGlow:
                      graphics::StrokePath(g, face, 3, kGlow, 120);
                      break;
                    case Layer::kFocusOutline:
                      Outline(g, face, ArgbFromColorref(kBlack, 70));
                      break;
                    case Layer::kOutline:
                      Outline(g, face, ArgbFromColorref(kBlack, 120));
                      break;
                    case Layer::kPressed: {
                      const GfxPath sunken = RoundRect(2, 2, w - 3, h - 3, 5);
                      FillGradient(g, sunken, {0, 2}, {0, h - 1}, ArgbFromColorref(kBlack, 60),
                                   ArgbFromColorref(kWhite, 100));
                      break;
                    }
                    default:
                      break;
                  }
                };
              });
}

void PaintFlatButton(HWND window, HDC target, UINT state, const RECT& rect) {
  const COLORREF accent = SettingsOf(window).accentColour;
  // A disabled face looks the same whatever else the state says.
  const float shift = (state & kStatePressed) && !(state & kStateDisabled) ? 1.0f : 0.0f;
  const auto draw = [state, accent](FaceCanvas& canvas) {
    GfxGraphics& g = canvas.g();
    g.SetSmoothingMode(graphics::kSmoothingAntiAlias);
    const float w = canvas.width();
    const float h = canvas.height();
    const float radius = h > 4 ? h - 2 : 2;  // a pill: the ends are half circles
    return [&g, state, w, h, radius, face = RoundRect(0.5f, 0.5f, w - 2, h - 2, radius),
            accent](Layer layer) {
      switch (layer) {
        case Layer::kDisabledFill:
          Fill(g, face, ArgbFromColorref(0xC0C0C0, 255));
          break;
        case Layer::kDisabledOutline:
          Outline(g, face, ArgbFromColorref(kBlack, 80));
          break;
        case Layer::kFlatFace:
          Fill(g, face, ArgbFromColorref(accent, FlatTintAlpha(state)));
          break;
        case Layer::kFlatLine: {
          const GfxPath inner =
              RoundRect(1.5f, 1.5f, w - 4, h - 4, radius - 2 > 2 ? radius - 2 : 2);
          Outline(g, inner, ArgbFromColorref(kWhite, 110));
          break;
        }
        case Layer::kFocusOutline:
          graphics::StrokePath(g, face, 2, kGlow, 160);
          break;
        default:
          break;
      }
    };
  };
  PaintButton(window, target, state, rect, FlatButtonLayers(state), {shift, 1 + shift}, draw);
}

void PaintTextButton(HWND window, HDC target, UINT state, const RECT& rect) {
  const COLORREF accent = SettingsOf(window).accentColour;
  const float shift = (state & kStatePressed) ? 1.0f : 0.0f;
  const auto draw = [accent](FaceCanvas& canvas) {
    return [&canvas, accent](Layer layer) {
      GfxGraphics& g = canvas.g();
      const float w = canvas.width();
      const float h = canvas.height();
      if (layer == Layer::kFocusOutline) {
        Outline(g, RoundRect(0, 0, w - 1, h - 1, 5), ArgbFromColorref(kGlow, 140));
      } else if (layer == Layer::kUnderline) {
        GfxSolidBrush line;
        if (line.Create(ArgbFromColorref(accent, 255))) {
          g.FillRectangle(line, 4, h - 4, w - 8, 2);
        }
      }
    };
  };
  PaintButton(window, target, state, rect, TextButtonLayers(state), {shift, shift}, draw);
}

void PaintRadioButton(HWND window, UINT state, HDC target) {
  const COLORREF accent = SettingsOf(window).accentColour;
  PaintToggle(
      window, state, target, {18, 0}, RadioButtonLayers, [accent](FaceCanvas& canvas, int dpi) {
        GfxGraphics& g = canvas.g();
        g.SetSmoothingMode(graphics::kSmoothingAntiAlias);
        const int32_t ih = canvas.heightPx();
        const auto px = [dpi](float length) { return graphics::ScaleFloat(length, dpi); };
        const auto line = static_cast<float>(graphics::ScaleLine(1, dpi));
        const auto ringTop = static_cast<float>((ih - graphics::ScaleLength(12, dpi)) / 2);
        return [&g, px, line, ringTop, accent,
                disc = Ellipse(
                    px(3), static_cast<float>((ih - graphics::ScaleLength(11, dpi)) / 2) + px(1),
                    px(9), px(9))](Layer layer) {
          switch (layer) {
            case Layer::kRing: {
              GfxPen pen;
              if (pen.Create(ArgbFromColorref(kBlack, 200), line)) {
                g.DrawEllipse(pen, px(2), ringTop, px(12), px(12));
              }
              break;
            }
            case Layer::kDisc:
              Outline(g, disc, ArgbFromColorref(kWhite, 255));
              Fill(g, disc, ArgbFromColorref(kWhite, 255));
              FillGradient(g, disc, {px(3), ringTop + px(1)}, {px(13), ringTop + px(11)},
                           ArgbFromColorref(kBlack, 100), ArgbFromColorref(kBlack, 0));
              break;
            case Layer::kHotDisc:
              FillGradient(g, disc, {px(3), ringTop + px(1)}, {px(14), ringTop + px(12)},
                           ArgbFromColorref(accent, 100), ArgbFromColorref(kBlack, 0));
              graphics::StrokePath(g, disc, 2 * line, kGlow, 30);
              break;
            case Layer::kDot: {
              const GfxPath dot = Ellipse(px(5), ringTop + px(3), px(6), px(6));
              graphics::GfxPathBrush brush;
              const Argb surround = ArgbFromColorref(0x808000, 255);
              if (brush.CreateFromPath(dot) &&
                  brush.SetCenterColor(ArgbFromColorref(kWhite, 100)) &&
                  brush.SetSurroundColors(&surround, 1)) {
                g.FillPath(brush, dot);
              }
              Outline(g, dot, ArgbFromColorref(kBlack, 200));
              break;
            }
            default:
              break;
          }
        };
      });
}

void PaintCheckBox(HWND window, UINT state, HDC target) {
  const COLORREF accent = SettingsOf(window).accentColour;
  ButtonSkin* button = ButtonOf(window);
  if (!button) return;
  GlyphPictures<2>& glyphs = button->checkGlyphs;
  const auto draw = [&glyphs, accent](FaceCanvas& canvas, int dpi) {
    const int32_t boxSize = graphics::ScaleLength(13, dpi);
    const auto boxTop = static_cast<float>((canvas.heightPx() - boxSize) / 2);
    // The pictures come drawn for 100 to 200 percent; the nearest is drawn at its own size.
    return [&glyphs, &canvas, dpi, boxSize, boxTop, accent](Layer layer) {
      GfxGraphics& g = canvas.g();
      const auto px = [dpi](float length) { return graphics::ScaleFloat(length, dpi); };
      switch (layer) {
        case Layer::kBoxImage:
        case Layer::kCheckImage: {
          const bool mark = layer == Layer::kCheckImage;
          const graphics::GfxBitmap* image = glyphs.At(mark, dpi, CheckBoxGlyph(mark, dpi));
          if (!image) break;
          const auto side = static_cast<float>(image->GetWidth());
          const float inset = std::floor((static_cast<float>(boxSize) - side) / 2);
          g.DrawImageRect(*image, inset, boxTop + inset, side, side);
          break;
        }
        case Layer::kHotBox: {
          GfxPath box;
          if (box.Create()) box.AddRectangle(0, boxTop, px(13), px(13));
          const auto top =
              static_cast<float>((canvas.heightPx() - graphics::ScaleLength(12, dpi)) / 2);
          FillGradient(g, box, {px(3), top + px(1)}, {px(14), top + px(12)},
                       ArgbFromColorref(accent, 100), ArgbFromColorref(kBlack, 0));
          graphics::StrokePath(g, box, static_cast<float>(graphics::ScaleLine(2, dpi)), kGlow, 30);
          break;
        }
        default:
          break;
      }
    };
  };
  PaintToggle(window, state, target, {17, 19}, CheckBoxLayers, draw);
}

}  // namespace skin::controls
