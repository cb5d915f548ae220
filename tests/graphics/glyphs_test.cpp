// The skin's embedded glyphs: real PNG files of the stated sizes that decode under GDI+.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <span>
#include <string>

#include "embedded/resources.h"
#include "graphics/gfx_image.h"
#include "pixels.h"

namespace {

struct Glyph {
  const char* name;
  std::span<const unsigned char> bytes;
  uint32_t width;
  uint32_t height;
};

const Glyph kGlyphs[] = {
    {"help", resources::caption_help_png, 26, 18},
    {"menu", resources::caption_menu_png, 26, 18},
    {"minimize", resources::caption_minimize_png, 26, 18},
    {"maximize", resources::caption_maximize_png, 26, 18},
    {"restore", resources::caption_restore_png, 26, 18},
    {"close", resources::caption_close_png, 38, 18},
    {"box", resources::checkbox_box_png, 13, 13},
    {"check", resources::checkbox_check_png, 13, 13},
    {"up", resources::updown_up_png, 7, 4},
    {"down", resources::updown_down_png, 7, 4},
    {"left", resources::updown_left_png, 4, 7},
    {"right", resources::updown_right_png, 4, 7},
    {"combo", resources::combo_arrow_png, 7, 4},
};

uint32_t BigEndian(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

TEST(Glyphs, AreRgbaPngsWithTheirColourChunks) {
  for (const Glyph& glyph : kGlyphs) {
    SCOPED_TRACE(glyph.name);
    const auto& b = glyph.bytes;
    ASSERT_GT(b.size(), 33u);
    ASSERT_EQ(std::memcmp(b.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    ASSERT_EQ(std::memcmp(b.data() + 12, "IHDR", 4), 0);
    EXPECT_EQ(BigEndian(b.data() + 16), glyph.width);
    EXPECT_EQ(BigEndian(b.data() + 20), glyph.height);
    EXPECT_EQ(b[24], 8);  // bit depth
    EXPECT_EQ(b[25], 6);  // RGBA
    EXPECT_EQ(b[28], 0);  // not interlaced
    std::set<std::string> beforeData;
    for (size_t at = 8; at + 8 <= b.size();) {
      const std::string kind(reinterpret_cast<const char*>(b.data() + at + 4), 4);
      if (kind == "IDAT") break;
      beforeData.insert(kind);
      at += 12 + BigEndian(b.data() + at);
    }
    EXPECT_TRUE(beforeData.count("pHYs"));
    EXPECT_TRUE(beforeData.count("iCCP"));
    EXPECT_TRUE(beforeData.count("cHRM"));
  }
}

TEST(Glyphs, DecodeToTheirSizeWithAWhiteGlyphOnANearlyClearGround) {
  for (const Glyph& glyph : kGlyphs) {
    SCOPED_TRACE(glyph.name);
    graphics::GfxBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromBytes(glyph.bytes));
    EXPECT_EQ(bitmap.GetWidth(), glyph.width);
    EXPECT_EQ(bitmap.GetHeight(), glyph.height);
    int white = 0;
    int clear = 0;
    uint32_t lowestAlpha = 255;
    for (uint32_t y = 0; y < glyph.height; ++y) {
      for (uint32_t x = 0; x < glyph.width; ++x) {
        const uint32_t pixel = bitmap.GetPixel(x, y);
        const uint32_t alpha = pixel >> 24;
        lowestAlpha = std::min(lowestAlpha, alpha);
        if (pixel == 0xFFFFFFFF) ++white;
        if (alpha < 8) ++clear;
      }
    }
    EXPECT_GT(white, 0);
    EXPECT_GT(clear, 0);
    EXPECT_EQ(lowestAlpha, 1u);
  }
}

TEST(Glyphs, CaptionGlyphsAreCentredAndShadowed) {
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.height != 18) continue;
    SCOPED_TRACE(glyph.name);
    graphics::GfxBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromBytes(glyph.bytes));
    uint32_t left = glyph.width, right = 0, shadow = 0;
    for (uint32_t y = 0; y < glyph.height; ++y) {
      for (uint32_t x = 0; x < glyph.width; ++x) {
        const uint32_t pixel = bitmap.GetPixel(x, y);
        if (pixel == 0xFFFFFFFF) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
        if ((pixel >> 24) >= 0x40 && (pixel & 0xFF) < 0x40) ++shadow;  // dark and visible
      }
    }
    EXPECT_GT(shadow, 4u);
    // The white glyph's left and right margins differ by at most two pixels.
    EXPECT_LE(std::abs(static_cast<int>(left) - static_cast<int>(glyph.width - 1 - right)), 2);
  }
}

}  // namespace

namespace {

// Their resolution chunk says 96 dpi, so DrawImage puts them on a 96-dpi target pixel for pixel.
TEST(Glyphs, DrawAtTheirOwnPixelSize) {
  for (const Glyph& glyph : kGlyphs) {
    SCOPED_TRACE(glyph.name);
    graphics::GfxBitmap image;
    ASSERT_TRUE(image.LoadFromBytes(glyph.bytes));
    graphics_test::Canvas canvas(50, 30);
    ASSERT_TRUE(canvas.graphics.DrawImage(image, 0, 0));
    int mismatches = 0;
    for (uint32_t y = 0; y < 30; ++y) {
      for (uint32_t x = 0; x < 50; ++x) {
        const bool inside = x < glyph.width && y < glyph.height;
        const uint32_t expected = inside ? image.GetPixel(x, y) >> 24 : 0;
        const uint32_t drawn = canvas.bitmap.GetPixel(x, y) >> 24;
        if (std::abs(static_cast<int>(expected) - static_cast<int>(drawn)) > 2) ++mismatches;
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

}  // namespace
