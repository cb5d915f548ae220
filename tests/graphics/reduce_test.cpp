// Keeping a large picture at the size the screen needs, averaged down with the box filter.
#include "graphics/reduce.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "graphics/gfx_image.h"

namespace {

using graphics::PixelSize;
using graphics::ReduceBox;
using graphics::ReducedSize;
using graphics::RowFormat;

TEST(ReducedSize, CoversTheLimitKeepsTheAspectAndNeverEnlarges) {
  const PixelSize screen{1024, 768};
  struct Case {
    PixelSize picture, limit, expected;
  } cases[] = {
      {{6000, 4000}, screen, {1152, 768}},   // the camera photo: height decides
      {{4000, 6000}, screen, {1024, 1536}},  // upright: width decides
      {{800, 500}, screen, {800, 500}},      // the default picture: kept
      {{3000, 700}, screen, {3000, 700}},    // one side already short: reducing would enlarge it
      {{6000, 4000}, {0, 0}, {6000, 4000}},  // no limit known
      {{0, 4000}, screen, {0, 4000}},
  };
  for (const Case& c : cases) {
    const PixelSize out = ReducedSize(c.picture, c.limit);
    EXPECT_EQ(out, c.expected) << c.picture.width << "x" << c.picture.height;
  }
  // Across many sizes: never larger, never short of the limit, the aspect within rounding.
  for (int w = 900; w <= 9000; w += 431) {
    for (int h = 700; h <= 7000; h += 377) {
      const PixelSize out = ReducedSize({w, h}, screen);
      ASSERT_LE(out.width, w);
      ASSERT_LE(out.height, h);
      ASSERT_GE(out.width, std::min(w, screen.width)) << w << "x" << h;
      ASSERT_GE(out.height, std::min(h, screen.height)) << w << "x" << h;
      if (out.width != w) {
        ASSERT_NEAR(static_cast<double>(out.width) / out.height, static_cast<double>(w) / h,
                    static_cast<double>(w) / h / std::min(out.width, out.height))
            << w << "x" << h;
      }
    }
  }
}

// Rows of 24-bit pixels whose blue, green and red all hold the given level, padded to 4 bytes
// with a value that must never be read.
std::vector<uint8_t> GreyRows(const std::vector<std::vector<uint8_t>>& levels, int* stride) {
  const int width = static_cast<int>(levels[0].size());
  *stride = (width * 3 + 3) / 4 * 4;
  std::vector<uint8_t> rows(static_cast<size_t>(*stride) * levels.size(), 0xEE);
  for (size_t y = 0; y < levels.size(); ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < 3; ++c) rows[y * *stride + x * 3 + c] = levels[y][x];
    }
  }
  return rows;
}

uint32_t Grey(uint32_t level) { return 0xFF000000 | level << 16 | level << 8 | level; }

TEST(ReduceBox, AveragesTheAreaEachPixelCovers) {
  int stride = 0;
  // A checkerboard halves to the mean grey: sampling would give black or white.
  auto rows = GreyRows({{0, 255, 0, 255}, {255, 0, 255, 0}}, &stride);
  EXPECT_EQ(ReduceBox(rows.data(), stride, RowFormat::kBgr24, 4, 2, 2, 1),
            (std::vector<uint32_t>{Grey(128), Grey(128)}));
  // Three to two: the middle pixel is shared half and half, across and down.
  rows = GreyRows({{0, 90, 180}}, &stride);
  EXPECT_EQ(ReduceBox(rows.data(), stride, RowFormat::kBgr24, 3, 1, 2, 1),
            (std::vector<uint32_t>{Grey(30), Grey(150)}));
  rows = GreyRows({{0}, {90}, {180}}, &stride);
  EXPECT_EQ(ReduceBox(rows.data(), stride, RowFormat::kBgr24, 1, 3, 1, 2),
            (std::vector<uint32_t>{Grey(30), Grey(150)}));
  // Bottom-up rows: a negative stride from the top row.
  rows = GreyRows({{180}, {90}, {0}}, &stride);
  EXPECT_EQ(ReduceBox(rows.data() + 2 * stride, -stride, RowFormat::kBgr24, 1, 3, 1, 2),
            (std::vector<uint32_t>{Grey(30), Grey(150)}));
  // An even colour stays exactly that colour at an uneven factor: the weights add up.
  std::vector<uint32_t> even(7 * 5, 0xFF336699);
  EXPECT_EQ(ReduceBox(reinterpret_cast<const uint8_t*>(even.data()), 7 * 4,
                      RowFormat::kPremultiplied32, 7, 5, 3, 2),
            std::vector<uint32_t>(6, 0xFF336699));
  // Premultiplied pixels average with their alpha.
  const uint32_t halfClear[] = {0xFF0000FF, 0x00000000};
  EXPECT_EQ(ReduceBox(reinterpret_cast<const uint8_t*>(halfClear), 8, RowFormat::kPremultiplied32,
                      2, 1, 1, 1),
            std::vector<uint32_t>{0x80000080});
}

TEST(ReduceBox, RefusesToEnlargeOrToWorkWithoutPixels) {
  int stride = 0;
  const auto rows = GreyRows({{1, 2}, {3, 4}}, &stride);
  EXPECT_TRUE(ReduceBox(rows.data(), stride, RowFormat::kBgr24, 2, 2, 3, 2).empty());
  EXPECT_TRUE(ReduceBox(rows.data(), stride, RowFormat::kBgr24, 2, 2, 2, 0).empty());
  EXPECT_TRUE(ReduceBox(nullptr, stride, RowFormat::kBgr24, 2, 2, 1, 1).empty());
}

TEST(ReduceBox, ABitmapReducesFromItsOwnTwentyFourBitRows) {
  graphics::GfxBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(4, 2, PixelFormat24bppRGB));
  for (int x = 0; x < 4; ++x) {
    ASSERT_TRUE(bitmap.SetPixel(x, 0, x < 2 ? 0xFFFF0000 : 0xFF0000FF));
    ASSERT_TRUE(bitmap.SetPixel(x, 1, x < 2 ? 0xFF000000 : 0xFF0000FF));
  }
  graphics::GfxBitmap reduced;
  ASSERT_TRUE(bitmap.ReduceInto(reduced, 2, 1));
  ASSERT_EQ(reduced.GetWidth(), 2u);
  ASSERT_EQ(reduced.GetHeight(), 1u);
  EXPECT_EQ(reduced.GetPixel(0, 0), 0xFF800000u);  // red over black
  EXPECT_EQ(reduced.GetPixel(1, 0), 0xFF0000FFu);
  EXPECT_FALSE(bitmap.ReduceInto(reduced, 5, 1));
}

}  // namespace
