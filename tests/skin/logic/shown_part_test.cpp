// The part of a picture drawn at its own size that a window on this screen can ever show.
#include <gtest/gtest.h>

#include "skin/picture/screen_picture.h"

namespace {

using skin::PictureArea;

TEST(ShownPart, EachModeKeepsWhatItCanShowAndNoMore) {
  struct Case {
    int32_t mode;
    graphics::PixelSize picture, limit;
    PictureArea part;
  };
  const graphics::PixelSize screen{1920, 1080};
  for (const Case& c : {
           Case{4, {6000, 4000}, screen, {0, 0, 1920, 1080}},     // top left
           Case{0, {6000, 4000}, screen, {0, 0, 1920, 1080}},     // faded, also at the top left
           Case{1, {6000, 4000}, screen, {4080, 0, 1920, 1080}},  // against the right edge
           Case{2, {6000, 4000}, screen, {2040, 1460, 1920, 1080}},
           // An odd margin: one pixel more, so either side loses the same.
           Case{2, {6001, 4001}, screen, {2040, 1460, 1921, 1081}},
           Case{2, {1000, 4001}, screen, {0, 1460, 1000, 1081}},
           Case{4, {800, 600}, screen, {0, 0, 800, 600}},  // fits: whole
           Case{1, {800, 2000}, screen, {0, 0, 800, 1080}},
           Case{3, {6000, 4000}, screen, {0, 0, 6000, 4000}},  // stretched: reduced instead
           Case{4, {6000, 4000}, {0, 0}, {0, 0, 6000, 4000}},  // no screen known
       }) {
    EXPECT_EQ(skin::ShownPart(c.mode, c.picture, c.limit), c.part)
        << c.mode << " " << c.picture.width << "x" << c.picture.height;
  }
}

// A centred part lies where the whole picture's middle lay, in every window up to the limit,
// as the painter places it: ((W - width) / 2, ...), rounding towards zero.
TEST(ShownPart, ACentredPartLandsOnTheSamePixelsInEveryWindow) {
  const graphics::PixelSize limit{640, 480};
  for (int32_t width : {641, 642, 999, 1000}) {
    const PictureArea part = skin::ShownPart(2, {width, 10}, limit);
    for (int32_t window = 1; window <= limit.width; ++window) {
      ASSERT_EQ((window - part.width) / 2, (window - width) / 2 + part.x)
          << width << " in " << window;
    }
  }
}

}  // namespace
