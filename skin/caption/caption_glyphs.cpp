#include "skin/caption/caption_glyphs.h"

#include "embedded/resources.h"
#include "graphics/dpi_scale.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_image.h"
#include "skin/window_record.h"

namespace skin {
namespace {

using Png = std::span<const unsigned char>;

struct Sizes {
  Png at100, at125, at150, at200;
};

Png For(const Sizes& sizes, int dpi) {
  switch (GlyphPercent(dpi)) {
    case 200:
      return sizes.at200;
    case 150:
      return sizes.at150;
    case 125:
      return sizes.at125;
    default:
      return sizes.at100;
  }
}

std::vector<uint8_t> Bytes(Png png) { return {png.begin(), png.end()}; }

#define VELORY_GLYPH_SIZES(name)                                                 \
  Sizes {                                                                        \
    resources::name##_png, resources::name##_125_png, resources::name##_150_png, \
        resources::name##_200_png                                                \
  }

}  // namespace

int GlyphPercent(int dpi) {
  if (dpi >= 192) return 200;
  if (dpi >= 144) return 150;
  if (dpi >= 120) return 125;
  return 100;
}

Png CaptionGlyph(int32_t kind, bool alternative, int dpi) {
  if (alternative)
    return kind == kButtonMaximize ? For(VELORY_GLYPH_SIZES(caption_restore), dpi) : Png{};
  switch (kind) {
    case kButtonClose:
      return For(VELORY_GLYPH_SIZES(caption_close), dpi);
    case kButtonMaximize:
      return For(VELORY_GLYPH_SIZES(caption_maximize), dpi);
    case kButtonMinimize:
      return For(VELORY_GLYPH_SIZES(caption_minimize), dpi);
    case kButtonMainMenu:
      return For(VELORY_GLYPH_SIZES(caption_menu), dpi);
    case kButtonHelp:
      return For(VELORY_GLYPH_SIZES(caption_help), dpi);
    default:
      return {};
  }
}

void FitButtonToDpi(CaptionButton& button, int dpi) {
  const int32_t width = button.kind == kButtonClose ? kCloseButtonWidth : kCaptionButtonWidth;
  button.width = graphics::ScaleLength(width, dpi);
  button.height = graphics::ScaleLength(kCaptionButtonHeight, dpi);
  if (button.kind != kButtonCustom) {
    button.image = Bytes(CaptionGlyph(button.kind, false, dpi));
    button.altImage = Bytes(CaptionGlyph(button.kind, true, dpi));
  }
  button.decodedImage.reset();
  button.decodedAltImage.reset();
}

Png CheckBoxGlyph(bool mark, int dpi) {
  return mark ? For(VELORY_GLYPH_SIZES(checkbox_check), dpi)
              : For(VELORY_GLYPH_SIZES(checkbox_box), dpi);
}

Png ArrowGlyph(Arrow arrow, int dpi) {
  switch (arrow) {
    case Arrow::kUp:
      return For(VELORY_GLYPH_SIZES(updown_up), dpi);
    case Arrow::kDown:
      return For(VELORY_GLYPH_SIZES(updown_down), dpi);
    case Arrow::kLeft:
      return For(VELORY_GLYPH_SIZES(updown_left), dpi);
    case Arrow::kRight:
      return For(VELORY_GLYPH_SIZES(updown_right), dpi);
    default:
      return For(VELORY_GLYPH_SIZES(combo_arrow), dpi);
  }
}

std::unique_ptr<graphics::GfxBitmap> CallerPictureAt(const graphics::GfxBitmap& picture, int dpi) {
  const auto w = static_cast<int32_t>(picture.GetWidth());
  const auto h = static_cast<int32_t>(picture.GetHeight());
  const int32_t sw = graphics::ScaleLength(w, dpi), sh = graphics::ScaleLength(h, dpi);
  if (w <= 0 || h <= 0 || (sw == w && sh == h) || sw <= 0 || sh <= 0) return nullptr;
  auto scaled = std::make_unique<graphics::GfxBitmap>();
  graphics::GfxGraphics g;
  if (!scaled->Create(sw, sh) || !g.FromImage(*scaled)) return nullptr;
  g.SetInterpolationMode(graphics::kInterpolationHighQualityBicubic);
  // Pixel centres on pixel centres: the edge pixels are not half lost.
  g.SetPixelOffsetMode(graphics::kPixelOffsetHalf);
  if (!g.DrawImageRect(picture, 0, 0, static_cast<float>(sw), static_cast<float>(sh))) {
    return nullptr;
  }
  return scaled;
}

const graphics::GfxBitmap* ButtonPicture(CaptionButton& button, bool alternative, int dpi) {
  std::shared_ptr<graphics::GfxBitmap>& decoded =
      alternative ? button.decodedAltImage : button.decodedImage;
  const std::vector<uint8_t>& bytes = alternative ? button.altImage : button.image;
  if (decoded || bytes.empty()) return decoded.get();
  auto picture = std::make_unique<graphics::GfxBitmap>();
  if (!picture->LoadFromBytes(bytes)) return nullptr;
  // The engine's glyphs come drawn for the DPI; a caller's picture is scaled once.
  auto scaled = button.kind == kButtonCustom ? CallerPictureAt(*picture, dpi) : nullptr;
  decoded = scaled ? std::move(scaled) : std::move(picture);
  return decoded.get();
}

}  // namespace skin
