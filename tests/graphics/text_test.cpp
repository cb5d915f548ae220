// Texts reach GDI+ as UTF-16 converted from the ANSI code page (936 in these tests).
#include <gtest/gtest.h>

#include <string>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_font.h"
#include "graphics/gfx_string_format.h"
#include "pixels.h"

namespace {

using graphics::GfxRectF;
using graphics_test::Canvas;

constexpr const wchar_t* kFace = L"WenQuanYi Micro Hei";
constexpr GfxRectF kLayout{0, 0, 120, 40};

// Draws through the wrapper, or with the UTF-16 text straight into GDI+.
Canvas Draw(const wchar_t* text, const wchar_t* wide) {
  Canvas canvas(120, 40);
  graphics::GfxFont font;
  EXPECT_TRUE(font.Create(kFace, 20, 0, graphics::kUnitPixel));
  graphics::GfxSolidBrush brush;
  EXPECT_TRUE(brush.Create(0xFF000000));
  graphics::GfxStringFormat format;
  EXPECT_TRUE(format.Create());
  if (text) {
    EXPECT_TRUE(canvas.graphics.DrawString(text, font, kLayout, format, brush));
  } else {
    const Gdiplus::RectF rect(kLayout.x, kLayout.y, kLayout.width, kLayout.height);
    EXPECT_EQ(
        Gdiplus::DllExports::GdipDrawString(canvas.graphics.GetHandle(), wide, -1, font.GetHandle(),
                                            &rect, format.GetHandle(), brush.GetHandle()),
        Gdiplus::Ok);
  }
  return canvas;
}

int Differences(const Canvas& a, const Canvas& b, int* inked) {
  int differences = 0;
  *inked = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) {
      if (a.bitmap.GetPixel(x, y) != b.bitmap.GetPixel(x, y)) ++differences;
      if (a.Inked(x, y)) ++*inked;
    }
  }
  return differences;
}

TEST(Text, ChineseTextIsDrawnAsTheSameCharacters) {
  const Canvas throughWrapper = Draw(L"歌曲", nullptr);
  const Canvas direct = Draw(nullptr, L"歌曲");
  int inked = 0;
  EXPECT_EQ(Differences(throughWrapper, direct, &inked), 0);
  EXPECT_GT(inked, 30);
  // The comparison tells texts apart: other characters give another picture.
  const Canvas other = Draw(nullptr, L"曲歌");
  EXPECT_GT(Differences(throughWrapper, other, &inked), 20);
}

TEST(Text, MeasureStringGivesTheSameBoundsAsTheUtf16Text) {
  Canvas canvas(10, 10);
  graphics::GfxFont font;
  ASSERT_TRUE(font.Create(kFace, 20, 0, graphics::kUnitPixel));
  graphics::GfxStringFormat format;
  ASSERT_TRUE(format.Create());
  GfxRectF measured;
  ASSERT_TRUE(
      canvas.graphics.MeasureString(L"双击操作", font, {0, 0, 500, 100}, format, &measured));
  const Gdiplus::RectF layout(0, 0, 500, 100);
  Gdiplus::RectF expected;
  ASSERT_EQ(Gdiplus::DllExports::GdipMeasureString(canvas.graphics.GetHandle(), L"双击操作", -1,
                                                   font.GetHandle(), &layout, format.GetHandle(),
                                                   &expected, nullptr, nullptr),
            Gdiplus::Ok);
  EXPECT_FLOAT_EQ(measured.width, expected.Width);
  EXPECT_FLOAT_EQ(measured.height, expected.Height);
  // Four characters are wider than two.
  GfxRectF shorter;
  ASSERT_TRUE(canvas.graphics.MeasureString(L"双击", font, {0, 0, 500, 100}, format, &shorter));
  EXPECT_GT(measured.width, shorter.width * 1.5f);
}

// A caption's focus cue and its colour are judged on the measured box: it must hold the ink.
TEST(Text, MeasuredBoxHoldsTheDrawnTextAtEveryLineAlignment) {
  for (const int32_t lineAlignment : {0, 1, 2}) {
    SCOPED_TRACE(lineAlignment);
    Canvas canvas(120, 60);
    graphics::GfxFont font;
    ASSERT_TRUE(font.Create(kFace, 16, 0, graphics::kUnitPixel));
    graphics::GfxStringFormat format;
    ASSERT_TRUE(format.Create() && format.SetLineAlignment(lineAlignment));
    graphics::GfxSolidBrush brush;
    ASSERT_TRUE(brush.Create(0xFF000000));
    const GfxRectF layout{4, 2, 112, 56};
    GfxRectF box;
    ASSERT_TRUE(canvas.graphics.MeasureString(L"列表循环", font, layout, format, &box));
    ASSERT_TRUE(canvas.graphics.DrawString(L"列表循环", font, layout, format, brush));
    canvas.graphics.Flush(1);
    int inked = 0;
    int outside = 0;
    for (int y = 0; y < 60; ++y) {
      for (int x = 0; x < 120; ++x) {
        if (!canvas.Inked(x, y)) continue;
        ++inked;
        if (y < box.y - 1 || y > box.y + box.height || x < box.x - 1 || x > box.x + box.width) {
          ++outside;
        }
      }
    }
    EXPECT_GT(inked, 40);
    EXPECT_EQ(outside, 0) << "box y " << box.y << " height " << box.height;
  }
}

}  // namespace
