#include "skin/picture/picture_prepare.h"

#include <random>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_image.h"
#include "graphics/path_routines.h"

namespace skin {
namespace {

using graphics::ArgbFromColorref;
using graphics::GfxBitmap;

constexpr graphics::Argb kWhiteClear = 0x00FFFFFF;

// A generator of its own for each sample, seeded from the clock: nothing is kept between them.
std::minstd_rand Random() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return std::minstd_rand(static_cast<uint32_t>(now.LowPart) | 1u);
}

void FillGradient(graphics::GfxGraphics& g, graphics::GfxPointF from, graphics::GfxPointF to,
                  graphics::Argb fromColour, graphics::Argb toColour, float x, float y, float w,
                  float h) {
  graphics::GfxLinearBrush brush;
  if (brush.Create(from, to, fromColour, toColour)) g.FillRectangle(brush, x, y, w, h);
}

}  // namespace

COLORREF ColorrefFromArgb(uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

std::optional<COLORREF> SamplePictureColour(const GfxBitmap& picture) {
  const uint32_t w = picture.GetWidth();
  const uint32_t h = picture.GetHeight();
  if (w == 0 || h == 0) return std::nullopt;
  std::minstd_rand random = Random();
  const auto x = static_cast<int32_t>(random() % w);
  const auto y = static_cast<int32_t>(random() % h);
  return ColorrefFromArgb(picture.GetPixel(x, y));
}

std::optional<COLORREF> SamplePictureColour(const std::vector<uint8_t>& bytes) {
  GfxBitmap picture;
  if (bytes.empty() || !picture.LoadFromBytes(bytes)) return std::nullopt;
  return SamplePictureColour(picture);
}

std::vector<uint8_t> PreparePictureForMode(const GfxBitmap& picture, COLORREF colour,
                                           int32_t mode) {
  const auto w = static_cast<int32_t>(picture.GetWidth());
  const auto h = static_cast<int32_t>(picture.GetHeight());
  if (w <= 0 || h <= 0) return {};
  GfxBitmap prepared;
  if (!prepared.Create(w, h)) return {};
  {
    graphics::GfxGraphics g;
    if (!g.FromImage(prepared)) return {};
    g.DrawImageRect(picture, 0, 0, static_cast<float>(w), static_cast<float>(h));
    const auto d = static_cast<int32_t>(0.3 * w);
    const float fw = static_cast<float>(w);
    const float fh = static_cast<float>(h);
    const float fd = static_cast<float>(d);
    const graphics::Argb solid = ArgbFromColorref(colour, 255);
    const graphics::Argb clear = ArgbFromColorref(colour, 0);
    float x1 = 0;
    float x2 = 0;
    if (mode == 0) {
      x1 = fw - fd;
      x2 = fw;
      FillGradient(g, {x1, 0}, {x2, 0}, kWhiteClear, solid, fw - fd + 1, 0, fd, fh);
    } else {
      x1 = 0;
      x2 = fd;
      FillGradient(g, {x1, 0}, {x2, 0}, solid, kWhiteClear, 0, 0, fd, fh);
    }
    FillGradient(g, {x1, fh - fd}, {x2, fh}, clear, solid, 0, fh - fd + 1, fw, fd);
  }
  return prepared.SaveToBytes(graphics::kPngFormatId);
}

std::vector<uint8_t> PreparePictureForMode(const std::vector<uint8_t>& bytes, COLORREF colour,
                                           int32_t mode) {
  GfxBitmap picture;
  if (bytes.empty() || !picture.LoadFromBytes(bytes)) return {};
  return PreparePictureForMode(picture, colour, mode);
}

}  // namespace skin
