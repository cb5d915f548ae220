// Painting the skinned frame: back buffer, background, border, caption and caption buttons.
#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_image.h"
#include "graphics/gfx_path.h"
#include "graphics/path_routines.h"
#include "graphics/resize.h"
#include "skin/caption/caption_fit.h"
#include "skin/caption/caption_glyphs.h"
#include "skin/caption/caption_ink.h"
#include "skin/caption/caption_strip.h"
#include "skin/frame/skin_font.h"
#include "skin/gdi/gdi_scoped.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"

namespace skin {
namespace {

using graphics::ArgbFromColorref;
using graphics::GfxGraphics;
using graphics::GfxLinearBrush;
using graphics::GfxPath;
using graphics::GfxSolidBrush;

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kRed = 0x0000FF;

// The picture stretched over the whole layer. It is resampled here and laid on pixel for pixel:
// the system's own interpolation takes about a tenth of a second for a window-sized picture
// under Wine, a wait at every start and every resize.
void DrawStretched(GfxGraphics& g, const graphics::GfxBitmap& image, int32_t width,
                   int32_t height) {
  std::vector<uint32_t> pixels;
  graphics::GfxBitmap stretched;
  if (image.ReadPremultiplied(pixels) &&
      stretched.CreatePremultiplied(
          width, height,
          graphics::ResizeBilinear(pixels, static_cast<int32_t>(image.GetWidth()),
                                   static_cast<int32_t>(image.GetHeight()), width, height))) {
    g.SetInterpolationMode(graphics::kInterpolationNearestNeighbor);
    g.DrawImageRect(stretched, 0, 0, static_cast<float>(width), static_cast<float>(height));
    g.SetInterpolationMode(0);  // the default again
    return;
  }
  g.DrawImageRect(image, 0, 0, static_cast<float>(width), static_cast<float>(height));
}

RECT PixelRect(const graphics::GfxRectF& r) {
  return RECT{static_cast<LONG>(std::floor(r.x)), static_cast<LONG>(std::floor(r.y)),
              static_cast<LONG>(std::ceil(r.x + r.width)),
              static_cast<LONG>(std::ceil(r.y + r.height))};
}

void CopyRect(HDC target, HDC source, const RECT& r) {
  BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, source, r.left, r.top, SRCCOPY);
}

void FillVerticalGradient(GfxGraphics& g, const GfxPath* shape, const graphics::GfxRectF& r,
                          graphics::Argb top, graphics::Argb bottom) {
  GfxLinearBrush brush;
  if (!brush.Create({r.x, r.y}, {r.x, r.y + r.height}, top, bottom)) return;
  if (shape) {
    g.FillPath(brush, *shape);
  } else {
    g.FillRectangle(brush, r.x, r.y, r.width, r.height);
  }
}

}  // namespace

void SkinEngine::PaintFrame(int32_t index, HDC /*dc*/) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record) return;
  HWND hwnd = record->hwnd;
  RECT client{};
  GetClientRect(hwnd, &client);
  const int32_t w = client.right;
  const int32_t h = client.bottom;
  if (w <= 0 || h <= 0) return;

  // The rounded shape; the system owns the region once it takes it (not when the window went
  // during the move).
  SetWindowRgn(hwnd, nullptr, TRUE);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int32_t r = record->Px(5);
  ScopedRegion rounded(CreateRoundRectRgn(0, 0, w + 1, h + 1, r, r));
  if (SetWindowRgn(hwnd, rounded, TRUE)) rounded.Take();
  record = RecordAt(RecordIndexOf(hwnd));
  if (!record) return;
  index = RecordIndexOf(hwnd);

  // A fresh 32-bit ARGB frame bitmap; the DC keeps the bitmap it came with for its release.
  {
    graphics::GfxBitmap frame;
    ScopedBitmap bitmap(frame.Create(w, h) ? frame.GetHbitmap(0) : nullptr);
    if (!bitmap) bitmap = MakeDib32(w, h);
    if (!record->backBuffer.Select(std::move(bitmap), w, h)) return;
  }
  HDC back = record->backBuffer.dc();
  if (!GetPropW(hwnd, prop::Ck_Ycjdx)) {
    prop::Set(hwnd, prop::Ck_Ycjdx, reinterpret_cast<intptr_t>(record->backBuffer.previous()));
  }
  prop::Set(hwnd, prop::Ck_wtjbdx, reinterpret_cast<intptr_t>(record->backBuffer.bitmap()));

  // Background and border come together from the record's cache while nothing they depend on
  // changed.
  PaintBackground(index, back, w, h);

  // What caption buttons and status bar items are later drawn over.
  if (record->cleanFrame.SelectNewDib(w, h)) {
    BitBlt(record->cleanFrame.dc(), 0, 0, w, h, back, 0, 0, SRCCOPY);
  }
  const StatusBar& bar = record->statusBar;
  if (bar.height > 0) {
    const int32_t bw = bar.rect.right - bar.rect.left;
    const int32_t bh = bar.rect.bottom - bar.rect.top;
    if (record->statusCopy.SelectNewDib(bw, bh)) {
      BitBlt(record->statusCopy.dc(), 0, 0, bw, bh, back, bar.rect.left, bar.rect.top, SRCCOPY);
    }
  }

  if (record->captionActive != 0 && record->showCaptionText != 0) DrawCaption(index, false);
  for (int32_t i = 1; i <= record->ButtonCount(); ++i) {
    DrawCaptionButton(index, i, false, kUnlit, false);
  }
  if (bar.height > 0) {
    for (int32_t i = 1; i <= static_cast<int32_t>(bar.items.size()); ++i) {
      DrawStatusBarItem(index, i, false);
    }
  }

  {
    ChildFreeWindowDc screen(hwnd);
    if (screen.dc()) BitBlt(screen.dc(), 0, 0, w, h, back, 0, 0, SRCCOPY);
  }

  // Controls standing on the window repaint over the new picture.
  if (frameFirstRun == 0) {
    for (int kind = 0; kind < kControlListCount; ++kind) {
      for (const auto& control : record->controls[kind]) {
        if (!control || !control->window || GetParent(control->window) != hwnd) continue;
        InvalidateRect(control->window, nullptr, TRUE);
        if (kind != kListListTypes) continue;
        for (HWND child = FindWindowExW(control->window, nullptr, nullptr, nullptr); child;
             child = FindWindowExW(control->window, child, nullptr, nullptr)) {
          if (IsWindowVisible(child)) InvalidateRect(child, nullptr, TRUE);
        }
      }
    }
  }
}

void SkinEngine::CopyFrame(int32_t index, HDC dc) {
  const WindowSkinRecord* record = RecordAt(index);
  if (!record || !record->backBuffer.dc()) return;
  RECT window{};
  GetWindowRect(record->hwnd, &window);
  BitBlt(dc, 0, 0, window.right - window.left, window.bottom - window.top, record->backBuffer.dc(),
         0, 0, SRCCOPY);
}

void SkinEngine::PaintBackground(int32_t index, HDC target, int32_t width, int32_t height) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record) return;
  const bool own = !record->picture.empty();
  const std::vector<uint8_t>& picture = own ? record->picture : backgroundImage;
  BackgroundKey key;
  key.width = width;
  key.height = height;
  key.source = &picture;
  key.version = own ? 0 : backgroundImageVersion;
  key.mode = own ? record->pictureMode : backgroundMode;
  key.fill = own ? record->pictureColour : backgroundColour;
  key.gloss = record->captionOption;
  key.captionHeight = record->captionHeight;
  key.border = record->captionActive != 0 ? 1 : 0;
  key.dpi = record->dpi;

  MemoryDc* layer = record->pictureCache.Background(key);
  if (!layer) {
    layer = record->pictureCache.NewBackground(key, paintObserver);
    if (!layer) return;
    GfxGraphics g;
    if (!g.FromHdc(layer->dc())) return;
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    g.Clear(0);
    GfxPath shape;
    shape.Create();
    graphics::AddRoundRect(shape, 0, 0, w, h, static_cast<float>(record->Px(4)));
    g.SetClipPath(shape);
    GfxSolidBrush fill;
    if (fill.Create(ArgbFromColorref(key.fill, 255))) g.FillPath(fill, shape);
    const graphics::GfxBitmap* image =
        own ? record->pictureCache.Decoded(picture, key.source, key.version, key.mode, Watch())
            : backgroundPicture.get();
    if (image) {
      const auto pw = static_cast<float>(image->GetWidth());
      const auto ph = static_cast<float>(image->GetHeight());
      switch (key.mode) {
        case 1:
          g.DrawImageRect(*image, w - pw, 0, pw, ph);
          break;
        case 2:
          g.DrawImageRect(*image, static_cast<float>((width - static_cast<int32_t>(pw)) / 2),
                          static_cast<float>((height - static_cast<int32_t>(ph)) / 2), pw, ph);
          break;
        case 3:
          DrawStretched(g, *image, width, height);
          break;
        default:  // 0 and 4
          g.DrawImageRect(*image, 0, 0, pw, ph);
          break;
      }
    }
    if (record->captionOption != 0) {
      FillVerticalGradient(g, nullptr, {0, 0, w, static_cast<float>(record->captionHeight)},
                           ArgbFromColorref(kWhite, 150), ArgbFromColorref(kWhite, 0));
    }
    g.ResetClip();
    if (key.border != 0) PaintBorder(index, g, width, height);
    record->pictureCache.CommitBackground();
  }
  BitBlt(target, 0, 0, width, height, layer->dc(), 0, 0, SRCCOPY);
}

void SkinEngine::PaintBorder(int32_t index, GfxGraphics& g, int32_t width, int32_t height) {
  const WindowSkinRecord* record = RecordAt(index);
  const int dpi = record ? record->dpi : graphics::kDesignDpi;
  // Two rings of whole device pixels, dark outside, light inside; a pen's centre sits half a
  // line in from its ring's edge.
  const auto line = static_cast<float>(graphics::ScaleLine(1, dpi));
  for (int ring = 0; ring < 2; ++ring) {
    const float in = ring * line + (line - 1) / 2;
    GfxPath path;
    path.Create();
    graphics::AddRoundRect(path, in, in, static_cast<float>(width) - 1 - 2 * in,
                           static_cast<float>(height) - 1 - 2 * in,
                           static_cast<float>(graphics::ScaleLength(7 - ring, dpi)));
    graphics::StrokePath(g, path, line, ring == 0 ? kBlack : kWhite, 180);
  }
}

void SkinEngine::DrawCaption(int32_t index, bool onItsOwn, const wchar_t* text) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record || !record->backBuffer.dc()) return;
  HWND hwnd = record->hwnd;
  HDC back = record->backBuffer.dc();
  const WindowSkinRecord& px = *record;
  const int32_t m = px.Px(frameMargin);
  RECT client{};
  GetClientRect(hwnd, &client);
  const int32_t layoutWidth = client.right - record->stripWidth - px.Px(10) - 2 * m;
  // The text stays clear of the caption buttons.
  const int32_t textRight = std::min<int32_t>(m + px.Px(26) + layoutWidth + 1, record->stripX);
  const RECT area{m + px.Px(5), m + px.Px(1), std::max<int32_t>(textRight, m + px.Px(24)),
                  std::min<int32_t>(m + px.Px(5 + 32 + 1), client.bottom)};
  if (onItsOwn) {
    if (!record->cleanFrame.dc()) return;
    CopyRect(back, record->cleanFrame.dc(), area);
  }

  DrawIconEx(back, m + px.Px(6), m + px.Px(2), appIcon, px.Px(17), px.Px(17), 0, nullptr,
             DI_NORMAL);

  std::wstring caption;
  if (text) {
    caption = text;
  } else {
    const int length = GetWindowTextLengthW(hwnd);
    caption.resize(static_cast<size_t>(length) + 1);
    caption.resize(static_cast<size_t>(GetWindowTextW(hwnd, caption.data(), length + 1)));
  }
  if (!caption.empty() && layoutWidth > 0) {
    const auto f = [](int32_t v) { return static_cast<float>(v); };
    const graphics::GfxRectF layout{f(m + px.Px(26)), f(m + px.Px(5)), f(layoutWidth),
                                    f(px.Px(32))};
    const CaptionWritten written =
        WriteCaption(back, *record, caption, layout, textRight, client.bottom);
    if (captionWritten) captionWritten(*record, written);
  }
  if (onItsOwn) PutOnScreen(index, area);
}

void SkinEngine::DrawCaptionButton(int32_t index, int32_t button, bool pressed, int32_t alpha,
                                   bool toScreen) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record || !record->backBuffer.dc() || !record->cleanFrame.dc()) return;
  const CaptionButton* b = record->Button(button);
  if (!b) return;
  HDC back = record->backBuffer.dc();
  const RECT area = PixelRect(b->rect);
  CopyRect(back, record->cleanFrame.dc(), area);
  {
    GfxGraphics g;
    if (!g.FromHdc(back)) return;
    const graphics::GfxRectF& r = b->rect;
    const bool close = b->kind == kButtonClose;
    GfxPath shape;
    shape.Create();
    if (close) {
      CloseButtonShape(shape, r, static_cast<float>(record->Px(5)));
    } else {
      shape.AddRectangle(r.x, r.y, r.width, r.height);
    }
    if (!pressed) {
      if (alpha >= 0) {
        const COLORREF colour = close ? kRed : accentColour;
        FillVerticalGradient(g, &shape, r, ArgbFromColorref(colour, alpha),
                             ArgbFromColorref(kWhite, 0));
        // A thin light edge along the top of a lit button.
        GfxSolidBrush edge;
        if (edge.Create(ArgbFromColorref(kWhite, alpha / 2))) {
          const auto line = static_cast<float>(record->Line(1));
          g.FillRectangle(edge, r.x + line, r.y, r.width - 2 * line, line);
        }
      }
      FillVerticalGradient(g, nullptr, r, ArgbFromColorref(kWhite, 50),
                           ArgbFromColorref(kBlack, 0));
    } else if (close) {
      FillVerticalGradient(g, &shape, r, ArgbFromColorref(kRed, 255), ArgbFromColorref(kWhite, 30));
    } else {
      FillVerticalGradient(g, &shape, r, ArgbFromColorref(kBlack, 80), ArgbFromColorref(kWhite, 5));
    }
    const bool restore = b->kind == kButtonMaximize && record->maximised && !b->altImage.empty();
    if (const auto* glyph = ButtonPicture(*record->Button(button), restore, record->dpi)) {
      // Drawn or scaled for this DPI already: at its own size, never stretched here.
      const auto gw = static_cast<float>(glyph->GetWidth());
      const auto gh = static_cast<float>(glyph->GetHeight());
      const float gx = std::floor(r.x + (r.width - gw) / 2);
      const float gy = std::floor(r.y + (r.height - gh) / 2);
      // Judged over the button as it is now drawn, lit or not.
      const std::optional<graphics::GfxBitmap> readable =
          ReadableGlyph(*glyph, TonesBehind(back, PixelRect({gx, gy, gw, gh})));
      g.DrawImageRect(readable ? *readable : *glyph, gx, gy, gw, gh);
    }
  }
  if (toScreen) PutOnScreen(index, area);
}

void SkinEngine::PutOnScreen(int32_t index, const RECT& area) {
  const WindowSkinRecord* record = RecordAt(index);
  if (!record || !record->backBuffer.dc()) return;
  ChildFreeWindowDc screen(record->hwnd);
  if (screen.dc()) CopyRect(screen.dc(), record->backBuffer.dc(), area);
}

}  // namespace skin
