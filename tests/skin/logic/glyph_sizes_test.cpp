// Each screen scale gets the glyphs drawn for it: the largest of 100, 125, 150 and 200 percent
// that the scale reaches, at that size, never one made for another scale.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <utility>

#include "skin/caption/caption_glyphs.h"
#include "skin/window_record.h"

namespace {

std::pair<uint32_t, uint32_t> PngSize(std::span<const unsigned char> png) {
  const auto at = [&](size_t i) {
    return (uint32_t{png[i]} << 24) | (uint32_t{png[i + 1]} << 16) | (uint32_t{png[i + 2]} << 8) |
           png[i + 3];
  };
  return png.size() > 24 ? std::pair{at(16), at(20)} : std::pair{0u, 0u};
}

TEST(GlyphSizes, EachDpiGetsTheGlyphsDrawnForItsScale) {
  struct Case {
    int dpi;
    std::pair<uint32_t, uint32_t> close, check, up;
  };
  const Case cases[] = {
      {96, {38, 18}, {13, 13}, {7, 4}},   {110, {38, 18}, {13, 13}, {7, 4}},
      {120, {48, 22}, {16, 16}, {9, 5}},  {144, {57, 27}, {20, 20}, {10, 6}},
      {168, {57, 27}, {20, 20}, {10, 6}}, {192, {76, 36}, {26, 26}, {14, 8}},
      {288, {76, 36}, {26, 26}, {14, 8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(PngSize(skin::CaptionGlyph(skin::kButtonClose, false, c.dpi)), c.close);
    EXPECT_EQ(PngSize(skin::CheckBoxGlyph(true, c.dpi)), c.check);
    EXPECT_EQ(PngSize(skin::CheckBoxGlyph(false, c.dpi)), c.check);
    EXPECT_EQ(PngSize(skin::ArrowGlyph(skin::Arrow::kUp, c.dpi)), c.up);
    const auto side = PngSize(skin::ArrowGlyph(skin::Arrow::kLeft, c.dpi));
    EXPECT_EQ(side, std::pair(c.up.second, c.up.first));
  }
}

}  // namespace
