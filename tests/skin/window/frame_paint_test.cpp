// The frame's back buffer, read pixel by pixel: border, rounded corners, picture placement and
// the caption.
#include <gtest/gtest.h>

#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin_test::BackBufferPixel;
using skin_test::Pump;
using skin_test::RecordOf;
using skin_test::TestWindow;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

class FramePaint : public testing::Test {
 protected:
  void SetUp() override { skin_test::ResetSkinSettings(); }

  // Paints the frame in full, as the first WM_PAINT after a change does.
  static void FullPaint(HWND hwnd) {
    RecordOf(hwnd)->needsFullRedraw = 1;
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
  }

  static int BrightPixels(HWND hwnd, const RECT& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        const COLORREF c = BackBufferPixel(hwnd, x, y);
        if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200) ++count;
      }
    }
    return count;
  }
};

TEST_F(FramePaint, CaptionTextIsDrawnWhiteOverTheBackground) {
  TestWindow window(300, 200);
  skin_test::SkinLikeTheApplication(window.hwnd(), skin_test::SolidPicture(40, 40, RGB(0, 0, 64)));
  FullPaint(window.hwnd());
  const RECT text{29, 6, 120, 26};
  EXPECT_EQ(BrightPixels(window.hwnd(), text), 0);

  SetWindowTextA(window.hwnd(), "WWWW");  // drawn at once, into the back buffer too
  EXPECT_GT(BrightPixels(window.hwnd(), text), 15);
  FullPaint(window.hwnd());
  EXPECT_GT(BrightPixels(window.hwnd(), text), 15);
}

}  // namespace
