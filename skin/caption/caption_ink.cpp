#include "skin/caption/caption_ink.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/gdi/gdi_handles.h"

namespace skin {

// Read through a copy of its own: the DC's bitmap may be any kind.
BackgroundTones TonesBehind(HDC source, const RECT& area) {
  const int32_t w = area.right - area.left, h = area.bottom - area.top;
  uint32_t* bits = nullptr;
  MemoryDc copy;
  if (w <= 0 || h <= 0 || !copy.Select(MakeDib32(w, h, &bits), w, h) || !bits) {
    return TonesOf(nullptr, 0, 0, {});
  }
  BitBlt(copy.dc(), 0, 0, w, h, source, area.left, area.top, SRCCOPY);
  GdiFlush();
  return TonesOf(bits, w, h, {0, 0, w, h});
}

COLORREF ReadableTextColour(HDC backdrop, const RECT& area, COLORREF stated) {
  if (!backdrop || area.right <= area.left || area.bottom <= area.top) return stated;
  return ReadableInk(stated, stated, TonesBehind(backdrop, area)).colour;
}

COLORREF ReadableTextColourOn(HBITMAP backdrop, COLORREF stated) {
  BITMAP info{};
  if (!backdrop || GetObjectW(backdrop, sizeof(info), &info) == 0) return stated;
  MemoryDc holder;
  if (!holder.EnsureDc()) return stated;
  HGDIOBJ old = SelectObject(holder.dc(), backdrop);
  if (!old) return stated;  // held by another DC
  const COLORREF ink = ReadableTextColour(holder.dc(), {0, 0, info.bmWidth, info.bmHeight}, stated);
  SelectObject(holder.dc(), old);
  return ink;
}

CaptionInk CaptionInkFor(COLORREF statedText, COLORREF statedEdge, BackgroundTones behind) {
  constexpr BYTE kEdgeAlpha = 150;
  const Ink ink = ReadableInk(statedText, statedEdge, behind);
  const double text = RelativeLuminance(ink.colour);
  const bool stated = ink.colour == statedText && ink.halo == statedEdge;
  const bool lightEdge = RelativeLuminance(ink.halo) > text;
  const bool readsAlone = ContrastRatio(text, behind.dark) >= kReadableContrast &&
                          ContrastRatio(text, behind.light) >= kReadableContrast;
  const bool edge = stated || !lightEdge || !readsAlone;
  return {ink.colour, ink.halo, edge ? kEdgeAlpha : BYTE{0}};
}

std::optional<graphics::GfxBitmap> ReadableGlyph(const graphics::GfxBitmap& glyph,
                                                 BackgroundTones behind) {
  std::vector<uint32_t> pixels;
  if (!glyph.ReadPremultiplied(pixels)) return std::nullopt;
  // The glyph's own colour: the average of its visible pixels.
  uint64_t sum[3] = {}, weight = 0;
  for (uint32_t p : pixels) {
    const uint32_t a = p >> 24;
    weight += a;
    for (int c = 0; c < 3; ++c) sum[c] += (p >> (16 - 8 * c)) & 0xFF;  // premultiplied
  }
  if (weight == 0) return std::nullopt;
  const auto channel = [&](int c) {
    return static_cast<BYTE>(std::min<uint64_t>(255, sum[c] * 255 / weight));
  };
  const COLORREF own = RGB(channel(0), channel(1), channel(2));
  const COLORREF ink = ReadableInk(own, own, behind).colour;
  if (ink == own) return std::nullopt;
  for (uint32_t& p : pixels) {
    const uint32_t a = p >> 24;
    const uint32_t v = (ink == RGB(255, 255, 255) ? 255 : 0) * a / 255;
    p = (a << 24) | (v << 16) | (v << 8) | v;
  }
  graphics::GfxBitmap flat;
  if (!flat.CreatePremultiplied(static_cast<int32_t>(glyph.GetWidth()),
                                static_cast<int32_t>(glyph.GetHeight()), pixels)) {
    return std::nullopt;
  }
  return flat;
}

}  // namespace skin
