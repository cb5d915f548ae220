// The caption's text and its buttons' glyphs read over a light picture as over a dark one,
// checked on the back buffer's pixels.
#include <gtest/gtest.h>

#include "skin/contrast/contrast.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin_test::BackBufferPixel;
using skin_test::RecordOf;
using skin_test::TestWindow;

// Pixels of the area that stand out from `background` by at least 4.5:1.
int ReadablePixels(HWND hwnd, const RECT& area, COLORREF background) {
  const double behind = skin::RelativeLuminance(background);
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const double l = skin::RelativeLuminance(BackBufferPixel(hwnd, x, y));
      if (skin::ContrastRatio(l, behind) >= skin::kReadableContrast) ++count;
    }
  }
  return count;
}

class CaptionContrast : public testing::TestWithParam<COLORREF> {
 protected:
  void SetUp() override { skin_test::ResetSkinSettings(); }
};

TEST_P(CaptionContrast, TextAndGlyphsStandOutFromThePicture) {
  TestWindow window(300, 200);
  HWND w = window.hwnd();
  skin_test::SkinLikeTheApplication(w, skin_test::SolidPicture(40, 40, GetParam()));
  SetWindowTextA(w, "WWWW");
  RecordOf(w)->needsFullRedraw = true;
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  skin_test::Pump();

  const COLORREF band = BackBufferPixel(w, 200, 12);  // caption band, clear of text and buttons
  EXPECT_GT(ReadablePixels(w, {29, 6, 120, 26}, band), 100) << std::hex << GetParam();
  // Every caption button's glyph, unlit and lit.
  const skin::WindowSkinRecord& r = *RecordOf(w);
  const int32_t index = skin_test::IndexOf(w);
  for (int32_t b = 1; b <= static_cast<int32_t>(r.captionButtons.size()); ++b) {
    for (int32_t alpha : {-1, 240}) {
      skin_test::engine->DrawCaptionButton(index, b, false, alpha);
      const auto& rect = r.captionButtons[b - 1].rect;
      const RECT area{static_cast<LONG>(rect.x) + 1, static_cast<LONG>(rect.y) + 1,
                      static_cast<LONG>(rect.x + rect.width) - 1,
                      static_cast<LONG>(rect.y + rect.height) - 1};
      // The button's own face at its left edge, halfway down, is what the glyph lies on. A light
      // glyph over a light picture keeps only its dark rim (about 16 pixels).
      const COLORREF face = BackBufferPixel(w, area.left, (area.top + area.bottom) / 2);
      EXPECT_GT(ReadablePixels(w, area, face), 30) << "button " << b << " alpha " << alpha;
    }
  }
}

// A light picture, which white text and glyphs vanish over, and the dark one they suit.
INSTANTIATE_TEST_SUITE_P(LightAndDark, CaptionContrast,
                         testing::Values(RGB(246, 244, 236), RGB(12, 20, 64)));

}  // namespace
