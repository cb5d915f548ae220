// Drawing into real 32-bit ARGB bitmaps and reading the pixels back.
#pragma once

#include <gtest/gtest.h>

#include "graphics/gfx_graphics.h"
#include "graphics/gfx_image.h"

namespace graphics_test {

// A cleared bitmap with a graphics on it; smoothing stays off so edges are exact.
struct Canvas {
  Canvas(int width, int height) {
    EXPECT_TRUE(bitmap.Create(width, height));
    EXPECT_TRUE(graphics.FromImage(bitmap));
    EXPECT_TRUE(graphics.Clear(0));
  }
  bool Inked(int x, int y) const { return (bitmap.GetPixel(x, y) >> 24) != 0; }

  graphics::GfxBitmap bitmap;
  graphics::GfxGraphics graphics;
};

}  // namespace graphics_test
