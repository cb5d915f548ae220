// The one scale every window draws with: lengths round once and come back, lines stay whole.
#include "graphics/dpi_scale.h"

#include <gtest/gtest.h>

#include "graphics/dpi_font.h"

namespace {

using graphics::ScaleLength;

TEST(DpiScale, LengthsRoundOnceAwayFromZeroAndSurviveTheRoundTrip) {
  EXPECT_EQ(ScaleLength(634, 96), 634);
  EXPECT_EQ(ScaleLength(634, 144), 951);
  EXPECT_EQ(ScaleLength(25, 144), 38);  // 37.5
  EXPECT_EQ(ScaleLength(-25, 144), -38);
  EXPECT_EQ(ScaleLength(61, 120), 76);  // 76.25
  EXPECT_EQ(ScaleLength(7, 0), 7);      // an unknown DPI is 96
  // A unit keeps its scaled size wherever its position rounds to.
  const RECT r = graphics::ScaleBox(5, 5, 5, 5, 144);
  EXPECT_EQ(r.right - r.left, 8);
  // What the layout files store at 96 dpi comes back unchanged through any screen.
  for (int dpi : {96, 120, 144, 168, 192, 240}) {
    for (int length = -50; length <= 2000; ++length) {
      ASSERT_EQ(graphics::UnscaleLength(ScaleLength(length, dpi), dpi), length) << dpi;
    }
  }
}

TEST(DpiScale, LinesAreWholePixelsAndNeverVanish) {
  EXPECT_EQ(graphics::ScaleLine(1, 96), 1);
  EXPECT_EQ(graphics::ScaleLine(1, 120), 1);
  EXPECT_EQ(graphics::ScaleLine(1, 144), 2);
  EXPECT_EQ(graphics::ScaleLine(1, 192), 2);
  EXPECT_EQ(graphics::ScaleLine(1, 72), 1);
  EXPECT_EQ(graphics::ScaleLine(0, 192), 0);
  EXPECT_EQ(graphics::PointsToFontHeight(9, 96), -12);
  EXPECT_EQ(graphics::PointsToFontHeight(9, 144), -18);
  EXPECT_TRUE(graphics::IsUsableDpi(96) && graphics::IsUsableDpi(480));
  EXPECT_FALSE(graphics::IsUsableDpi(0) || graphics::IsUsableDpi(65535));
}

}  // namespace

// A font taken to another DPI and back is the very handle it was, however often it is asked, and
// a handle deleted and reused for another font is not mistaken for the one it was.
TEST(DpiFont, FontsComeBackAsTheyWereAndDoNotGrowWhenAskedAgain) {
  LOGFONTA look{};
  look.lfHeight = -11;
  lstrcpyA(look.lfFaceName, "Tahoma");
  HFONT original = CreateFontIndirectA(&look);
  ASSERT_NE(original, nullptr);
  HFONT at144 = graphics::FontForDpi(original, 96, 144);
  LOGFONTA scaled{};
  ASSERT_TRUE(GetObjectA(at144, sizeof(scaled), &scaled));
  EXPECT_EQ(scaled.lfHeight, -17);  // 16.5 rounds away from zero
  EXPECT_STREQ(scaled.lfFaceName, "Tahoma");
  // Asked again from the old DPI (a control enumerated twice): the same font, not a larger one.
  EXPECT_EQ(graphics::FontForDpi(at144, 96, 144), at144);
  EXPECT_EQ(graphics::FontForDpi(original, 96, 144), at144);
  EXPECT_EQ(graphics::FontForDpi(at144, 144, 96), original);
  HFONT at192 = graphics::FontForDpi(at144, 144, 192);
  ASSERT_TRUE(GetObjectA(at192, sizeof(scaled), &scaled));
  EXPECT_EQ(scaled.lfHeight, -22);  // from the original, not from the rounded -17
  EXPECT_EQ(graphics::FontForDpi(nullptr, 96, 144), nullptr);
  EXPECT_EQ(graphics::FontForDpi(original, 96, 65535), original);
  // The original goes; whatever takes its handle next is a font of its own.
  DeleteObject(original);
  look.lfHeight = -30;
  HFONT other = CreateFontIndirectA(&look);
  HFONT back = graphics::FontForDpi(at144, 144, 96);
  ASSERT_TRUE(GetObjectA(back, sizeof(scaled), &scaled));
  EXPECT_EQ(scaled.lfHeight, -11);
  DeleteObject(other);
}
