// The bilinear resampler behind the stretched background picture.
#include "graphics/resize.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using graphics::ResizeBilinear;
using Pixels = std::vector<uint32_t>;

TEST(ResizeBilinear, SamplesAtTheScaledPositionAndHoldsTheLastPixel) {
  const Pixels two = {0xFF000000, 0xFFFEFEFE};
  struct Case {
    Pixels source;
    int w, h, toW, toH;
    Pixels expected;
  } cases[] = {
      {two, 2, 1, 2, 1, two},                             // same size: the same pixels
      {{1, 2, 3, 4}, 4, 1, 2, 1, {1, 3}},                 // halved: every other pixel
      {{0x80402010}, 1, 1, 2, 2, Pixels(4, 0x80402010)},  // one pixel repeated
      {two, 2, 1, 4, 1, {0xFF000000, 0xFF7F7F7F, 0xFFFEFEFE, 0xFFFEFEFE}},  // edge held
      {{0xFF000000, 0xFF000000, 0x00000000, 0x00000000},
       2,
       2,
       1,
       3,
       {0xFF000000, 0x55000000, 0x00000000}},  // rows as columns
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResizeBilinear(c.source, c.w, c.h, c.toW, c.toH), c.expected)
        << c.w << "x" << c.h << " to " << c.toW << "x" << c.toH;
  }
}

TEST(ResizeBilinear, NothingForNoSizeOrTooFewPixels) {
  const Pixels four(4, 0xFFFFFFFF);
  EXPECT_TRUE(ResizeBilinear(four, 0, 2, 2, 2).empty());
  EXPECT_TRUE(ResizeBilinear(four, 2, 2, 2, -1).empty());
  EXPECT_TRUE(ResizeBilinear(four, 3, 2, 2, 2).empty());
  EXPECT_EQ(ResizeBilinear(four, 2, 2, 800, 600).size(), 800u * 600u);
}

}  // namespace
