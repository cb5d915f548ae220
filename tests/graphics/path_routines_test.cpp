#include "graphics/path_routines.h"

#include <gtest/gtest.h>

#include "graphics/gdiplus_status.h"
#include "graphics/gfx_brush.h"
#include "graphics/gfx_path.h"
#include "pixels.h"

namespace {

using graphics::AddRoundRect;
using graphics::AddTopRoundRect;
using graphics::ArgbFromColorref;
using graphics::GfxPath;
using graphics::GfxSolidBrush;
using graphics_test::Canvas;

// Fills the figure that add appends for the rectangle (10, 10, 60, 30) with radius r.
template <typename Add>
void FillShape(Canvas& canvas, Add add, float r, float x = 10, float y = 10, float w = 60,
               float h = 30) {
  GfxPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(add(path, x, y, w, h, r));
  GfxSolidBrush brush;
  ASSERT_TRUE(brush.Create(0xFFFF0000));
  ASSERT_TRUE(canvas.graphics.FillPath(brush, path));
}

TEST(RoundRect, CornersAreArcsOfHalfTheRadiusAndEdgesAreFilled) {
  Canvas canvas(100, 60);
  FillShape(canvas, AddRoundRect, 20);  // visible radius 10
  // Every corner pixel is cut away.
  EXPECT_FALSE(canvas.Inked(10, 10));
  EXPECT_FALSE(canvas.Inked(11, 11));
  EXPECT_FALSE(canvas.Inked(69, 10));
  EXPECT_FALSE(canvas.Inked(69, 39));
  EXPECT_FALSE(canvas.Inked(10, 39));
  // The middle of every side is inside, right up to the edge.
  EXPECT_TRUE(canvas.Inked(40, 10));
  EXPECT_TRUE(canvas.Inked(40, 39));
  EXPECT_TRUE(canvas.Inked(10, 25));
  EXPECT_TRUE(canvas.Inked(69, 25));
  EXPECT_FALSE(canvas.Inked(40, 9));
  EXPECT_FALSE(canvas.Inked(70, 25));
  // Radius 10, not 20: these lie inside a 10-pixel corner but outside a 20-pixel one.
  EXPECT_TRUE(canvas.Inked(13, 13));
  EXPECT_TRUE(canvas.Inked(66, 36));
  EXPECT_TRUE(canvas.Inked(20, 10));
  EXPECT_TRUE(canvas.Inked(10, 20));
}

TEST(RoundRect, RadiusIsClampedToOneToHundred) {
  Canvas big(320, 280);
  FillShape(big, AddRoundRect, 500, 10, 10, 300, 250);  // as r = 100: visible radius 50
  EXPECT_TRUE(big.Inked(30, 30));                       // inside a 50-pixel corner
  EXPECT_FALSE(big.Inked(20, 20));                      // outside it
  EXPECT_TRUE(big.Inked(160, 10));                      // the straight top edge is still there
  EXPECT_TRUE(big.Inked(10, 135));

  Canvas small(100, 60);
  FillShape(small, AddRoundRect, -5);  // as r = 1: nearly square
  EXPECT_TRUE(small.Inked(11, 11));
  EXPECT_TRUE(small.Inked(68, 38));
}

TEST(RoundRect, AppendsAClosedFigureOfItsOwn) {
  GfxPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddLine(0, 0, 5, 0));  // an open figure before it
  ASSERT_TRUE(AddRoundRect(path, 10, 10, 60, 30, 20));
  Canvas canvas(100, 60);
  GfxSolidBrush brush;
  ASSERT_TRUE(brush.Create(0xFFFF0000));
  ASSERT_TRUE(canvas.graphics.FillPath(brush, path));
  // Joined to the line, the figure would also cover the triangle towards (0, 0).
  EXPECT_FALSE(canvas.Inked(8, 8));
  EXPECT_TRUE(canvas.Inked(40, 25));
}

TEST(TopRoundRect, OnlyTheUpperCornersAreRounded) {
  Canvas canvas(100, 60);
  FillShape(canvas, AddTopRoundRect, 20);
  EXPECT_FALSE(canvas.Inked(11, 11));
  EXPECT_FALSE(canvas.Inked(68, 11));
  EXPECT_TRUE(canvas.Inked(13, 13));
  // Square lower corners, right to the corner pixel.
  EXPECT_TRUE(canvas.Inked(10, 39));
  EXPECT_TRUE(canvas.Inked(69, 39));
  EXPECT_FALSE(canvas.Inked(10, 40));
  EXPECT_TRUE(canvas.Inked(40, 10));
}

TEST(ArgbFromColorref, SwapsRedAndBlueAndPutsAlphaOnTop) {
  EXPECT_EQ(ArgbFromColorref(RGB(0x12, 0x34, 0x56), 0x80, true), 0x80123456u);
  EXPECT_EQ(ArgbFromColorref(RGB(0x12, 0x34, 0x56), 0x80, false), 0xFF123456u);
  EXPECT_EQ(ArgbFromColorref(RGB(0xFF, 0, 0), 0, true), 0x00FF0000u);
  EXPECT_EQ(ArgbFromColorref(RGB(0, 0, 0xFF)), 0xFF0000FFu);
  // Out-of-range alpha never spills into the colour bytes.
  EXPECT_EQ(ArgbFromColorref(RGB(1, 2, 3), 300, true), 0xFF010203u);
  EXPECT_EQ(ArgbFromColorref(RGB(1, 2, 3), -4, true), 0x00010203u);
  // Bits above the COLORREF's blue byte are ignored.
  EXPECT_EQ(ArgbFromColorref(0x7F000000 | RGB(1, 2, 3), 255, true), 0xFF010203u);
}

TEST(StrokePath, DrawsWithThePenColourAlphaAndWidth) {
  Canvas canvas(60, 40);
  GfxPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddRectangle(10, 10, 40, 20));
  ASSERT_TRUE(graphics::StrokePath(canvas.graphics, path, 4, RGB(0x11, 0x22, 0x33), 255));
  EXPECT_EQ(canvas.bitmap.GetPixel(30, 10), 0xFF112233u);
  EXPECT_EQ(canvas.bitmap.GetPixel(30, 8), 0xFF112233u);  // width 4 reaches two pixels out
  EXPECT_FALSE(canvas.Inked(30, 20));
  EXPECT_EQ(graphics::lastGdiplusStatus, 0);

  Canvas translucent(60, 40);
  ASSERT_TRUE(graphics::StrokePath(translucent.graphics, path, 2, RGB(0, 0, 0xFF), 0x40));
  EXPECT_EQ(translucent.bitmap.GetPixel(30, 10) >> 24, 0x40u);
}

}  // namespace
