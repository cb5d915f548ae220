// The frame's back buffer, read pixel by pixel: border, rounded corners, picture placement and
// the caption.
#include <gtest/gtest.h>

#include "skin/skin_engine.h"
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
    RecordOf(hwnd)->needsFullRedraw = true;
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

struct Placement {
  int32_t mode;
  POINT red, green, fill;  // where the picture's halves and the fill colour must show
};

TEST_F(FramePaint, EachModePlacesThePicture) {
  // A 40 x 60 picture, red on the left half and green on the right, on a 200 x 150 frame filled
  // with navy. Modes 0 and 1 fade the picture's free side and its bottom 12 rows into the fill.
  const std::vector<uint8_t> picture = skin_test::TwoColourPicture(40, 60, kRed, kGreen);
  const COLORREF navy = RGB(0, 0, 128);
  const Placement placements[] = {
      {0, {5, 27}, {35, 27}, {45, 27}},     {4, {5, 27}, {35, 27}, {45, 27}},
      {1, {175, 30}, {195, 30}, {150, 30}}, {2, {85, 75}, {115, 75}, {75, 75}},
      {3, {50, 75}, {150, 75}, {-1, -1}},
  };
  TestWindow window(200, 150);
  skin_test::engine->AttachWindow(window.hwnd());
  for (const Placement& p : placements) {
    skin_test::engine->SetSkin(L"", picture, navy, std::nullopt, p.mode);
    FullPaint(window.hwnd());
    if (p.mode == 0) {
      // Mode 0 lays the picture against the left edge, its right side faded into the fill.
      EXPECT_EQ(BackBufferPixel(window.hwnd(), p.red.x, 10), kRed) << p.mode;
      const COLORREF faded = BackBufferPixel(window.hwnd(), 38, 10);
      EXPECT_GT(GetBValue(faded), GetGValue(faded)) << p.mode;
    } else {
      EXPECT_EQ(BackBufferPixel(window.hwnd(), p.red.x, p.red.y), kRed) << p.mode;
      EXPECT_EQ(BackBufferPixel(window.hwnd(), p.green.x, p.green.y), kGreen) << p.mode;
    }
    if (p.fill.x >= 0) {
      EXPECT_EQ(BackBufferPixel(window.hwnd(), p.fill.x, p.fill.y), navy) << p.mode;
    }
    EXPECT_EQ(BackBufferPixel(window.hwnd(), 100, 120), p.mode == 3 ? kGreen : navy) << p.mode;
  }
}

TEST_F(FramePaint, WindowPictureWinsOverTheEnginePicture) {
  skin_test::engine->SetSkin(L"", skin_test::SolidPicture(20, 20, kRed), kBlue, std::nullopt, 3);
  TestWindow window(200, 150);
  skin_test::engine->AttachWindow(
      window.hwnd(),
      {.statusBarHeight = 0, .picture = skin_test::SolidPicture(20, 20, kGreen), .pictureMode = 2});
  FullPaint(window.hwnd());
  EXPECT_EQ(BackBufferPixel(window.hwnd(), 100, 75), kGreen);  // centred, 20 x 20
  EXPECT_EQ(BackBufferPixel(window.hwnd(), 40, 75), kGreen);   // filled with its own colour
}

TEST_F(FramePaint, TwoBorderLinesAndRoundedCorners) {
  skin_test::engine->SetSkin(L"", skin_test::SolidPicture(10, 10, kBlue), kBlue, std::nullopt, 3);
  TestWindow window(200, 150);
  skin_test::engine->AttachWindow(window.hwnd());
  FullPaint(window.hwnd());
  HWND w = window.hwnd();
  EXPECT_EQ(BackBufferPixel(w, 100, 75), kBlue);
  // Outer line: black at alpha 180 over blue; inner line: white at alpha 180 over blue.
  for (const POINT p : {POINT{0, 75}, POINT{199, 75}, POINT{100, 0}, POINT{100, 149}}) {
    const COLORREF c = BackBufferPixel(w, p.x, p.y);
    EXPECT_LT(GetRValue(c), 20) << p.x << "," << p.y;
    EXPECT_LT(GetBValue(c), 110) << p.x << "," << p.y;
    EXPECT_GT(GetBValue(c), 40) << p.x << "," << p.y;
  }
  for (const POINT p : {POINT{1, 75}, POINT{198, 75}, POINT{100, 148}}) {
    const COLORREF c = BackBufferPixel(w, p.x, p.y);
    EXPECT_GT(GetRValue(c), 150) << p.x << "," << p.y;
    EXPECT_LT(GetRValue(c), 215) << p.x << "," << p.y;
    EXPECT_EQ(GetBValue(c), 255) << p.x << "," << p.y;
  }
  // Corners: outside the rounded shape nothing of the picture, and the window region agrees.
  for (const POINT p : {POINT{0, 0}, POINT{199, 0}, POINT{0, 149}, POINT{199, 149}}) {
    EXPECT_NE(BackBufferPixel(w, p.x, p.y), kBlue) << p.x << "," << p.y;
  }
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(w, region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, 199, 149));
  EXPECT_TRUE(PtInRegion(region, 100, 75));
  EXPECT_TRUE(PtInRegion(region, 0, 75));
  DeleteObject(region);
}

TEST_F(FramePaint, NoBorderWhileTheCaptionIsInactive) {
  skin_test::engine->SetSkin(L"", skin_test::SolidPicture(10, 10, kBlue), kBlue, std::nullopt, 3);
  TestWindow window(200, 150);
  skin_test::engine->AttachWindow(window.hwnd(), {.captionActive = 0});
  FullPaint(window.hwnd());
  EXPECT_EQ(BackBufferPixel(window.hwnd(), 0, 75), kBlue);
  EXPECT_EQ(BackBufferPixel(window.hwnd(), 1, 75), kBlue);
}

TEST_F(FramePaint, CaptionGlossLightensTheCaptionBand) {
  skin_test::engine->SetSkin(L"", skin_test::SolidPicture(10, 10, kBlue), kBlue, std::nullopt, 3);
  TestWindow window(200, 150);
  std::vector<std::string> none;
  skin_test::engine->AttachWindow(window.hwnd(), {.captionText = 0, .captionGloss = 1});
  FullPaint(window.hwnd());
  EXPECT_GT(GetRValue(BackBufferPixel(window.hwnd(), 60, 4)), 60);  // near white at the top
  EXPECT_EQ(BackBufferPixel(window.hwnd(), 60, 40), kBlue);         // below the band
}

TEST_F(FramePaint, LitAndPressedCaptionButtons) {
  skin_test::engine->SetSkin(L"", skin_test::SolidPicture(10, 10, kBlue), kBlue, std::nullopt, 3);
  TestWindow window(200, 150);
  skin_test::engine->AttachWindow(window.hwnd());
  FullPaint(window.hwnd());
  const skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  const POINT at{static_cast<LONG>(r.captionButtons[0].rect.x) + 3, 3};
  const COLORREF unlit = BackBufferPixel(window.hwnd(), at.x, at.y);
  const int32_t index = skin_test::IndexOf(window.hwnd());
  skin_test::engine->DrawCaptionButton(index, 1, false, 240);
  const COLORREF lit = BackBufferPixel(window.hwnd(), at.x, at.y);
  EXPECT_GT(GetRValue(lit), GetRValue(unlit) + 100);  // the close button lights red
  skin_test::engine->DrawCaptionButton(index, 1, true);
  EXPECT_GT(GetRValue(BackBufferPixel(window.hwnd(), at.x, at.y)), 200);
  skin_test::engine->DrawCaptionButton(index, 1);
  EXPECT_EQ(BackBufferPixel(window.hwnd(), at.x, at.y), unlit);  // unlit again, exactly
}

TEST_F(FramePaint, CaptionStyleWindowPictureAndStatusBar) {
  skin_test::engine->SetSkin(L"", skin_test::SolidPicture(10, 10, RGB(0, 0, 64)), RGB(0, 0, 64),
                             std::nullopt, 3);
  TestWindow window(300, 200);
  std::vector<std::wstring> items{L"WWWW", L""};
  skin_test::engine->AttachWindow(window.hwnd(), {.statusBarHeight = 20, .statusItems = items});
  SetWindowTextA(window.hwnd(), "WWWW");
  FullPaint(window.hwnd());
  HWND w = window.hwnd();
  const skin::WindowSkinRecord& r = *RecordOf(w);
  // The first status bar item shows its text; the second, empty, shows none.
  const RECT first = r.statusBar.items[0].rect;
  const RECT second = r.statusBar.items[1].rect;
  EXPECT_EQ(first.top, 200 - 3 - 20 - 1);
  EXPECT_EQ(first.right, second.left);
  EXPECT_GT(BrightPixels(w, first), 15);
  EXPECT_EQ(BrightPixels(w, second), 0);
  skin_test::engine->SetStatusBarText(skin_test::IndexOf(w), 2, L"WWWW");
  EXPECT_GT(BrightPixels(w, second), 15);
  skin_test::engine->SetStatusBarText(skin_test::IndexOf(w), 1, L"");
  EXPECT_EQ(BrightPixels(w, first), 0);

  // A red caption.
  skin_test::engine->SetCaptionStyle(w, std::nullopt, std::nullopt, RGB(255, 0, 0));
  EXPECT_EQ(r.captionTextColour, static_cast<COLORREF>(RGB(255, 0, 0)));
  EXPECT_EQ(r.captionFontName, L"宋体");  // kept
  int red = 0;
  for (int y = 6; y < 26; ++y) {
    for (int x = 29; x < 120; ++x) {
      const COLORREF c = BackBufferPixel(w, x, y);
      if (GetRValue(c) > 200 && GetGValue(c) < 60) ++red;
    }
  }
  EXPECT_GT(red, 15);

  // The window's own picture replaces the engine's at the next paint.
  skin_test::engine->SetWindowPicture(w, skin_test::SolidPicture(10, 10, kGreen));
  EXPECT_TRUE(r.needsFullRedraw);
  UpdateWindow(w);
  EXPECT_EQ(BackBufferPixel(w, 150, 100), kGreen);
}

}  // namespace
