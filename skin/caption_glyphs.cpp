#include "skin/caption_glyphs.h"

#include "embedded/resources.h"

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

std::vector<uint8_t> HelpGlyph(int dpi) {
  return Bytes(For(VELORY_GLYPH_SIZES(caption_help), dpi));
}
std::vector<uint8_t> MenuGlyph(int dpi) {
  return Bytes(For(VELORY_GLYPH_SIZES(caption_menu), dpi));
}
std::vector<uint8_t> MinimizeGlyph(int dpi) {
  return Bytes(For(VELORY_GLYPH_SIZES(caption_minimize), dpi));
}
std::vector<uint8_t> MaximizeGlyph(int dpi) {
  return Bytes(For(VELORY_GLYPH_SIZES(caption_maximize), dpi));
}
std::vector<uint8_t> RestoreGlyph(int dpi) {
  return Bytes(For(VELORY_GLYPH_SIZES(caption_restore), dpi));
}
std::vector<uint8_t> CloseGlyph(int dpi) {
  return Bytes(For(VELORY_GLYPH_SIZES(caption_close), dpi));
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

}  // namespace skin
