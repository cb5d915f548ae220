// Progress bars on a skinned window: the bar's length at the range's low end, middle and high
// end, a vertical bar growing from the bottom, and a border the system never gets to draw.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "skin/controls/face_canvas.h"
#include "skin/controls/progress_bar.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/property_keys.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

namespace c = skin::controls;
using skin_test::TestWindow;

constexpr COLORREF kBlue = RGB(0, 0, 255);

class ProgressSkins : public testing::Test {
 protected:
  void SetUp() override {
    skin_test::ResetSkinSettings();
    skin_test::engine->frameFirstRun = 0;
    window = std::make_unique<TestWindow>(360, 300);
    across = Bar(WS_BORDER, 10, 40, 300, 24);  // a border the system would draw
    upright = Bar(PBS_VERTICAL, 10, 80, 24, 200);
    skin_test::SkinLikeTheApplication(window->hwnd(), skin_test::SolidPicture(8, 8, kBlue));
    RedrawWindow(window->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    index = skin_test::IndexOf(window->hwnd());
  }
  HWND Bar(DWORD style, int x, int y, int w, int h) {
    HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                               window->hwnd(), nullptr, nullptr, nullptr);
    SendMessageA(bar, PBM_SETRANGE32, 0, 100);
    return bar;
  }
  // The whole control as the skin paints it at that position, in a memory surface.
  std::unique_ptr<skin::MemoryDc> Painted(HWND bar, int pos) {
    SendMessageA(bar, PBM_SETPOS, pos, 0);
    RECT r{};
    GetWindowRect(bar, &r);
    auto surface = std::make_unique<skin::MemoryDc>();
    surface->EnsureDc();
    surface->SelectNewDib(r.right - r.left, r.bottom - r.top);
    c::PaintProgressBar(bar, surface->dc());
    return surface;
  }

  std::unique_ptr<TestWindow> window;
  HWND across{}, upright{};
  int32_t index = 0;
};

TEST_F(ProgressSkins, AttachedThroughTheWindowWithTheirDirection) {
  ASSERT_NE(c::ProgressSkinOf(across), nullptr);
  ASSERT_NE(c::ProgressSkinOf(upright), nullptr);
  EXPECT_EQ(c::ProgressSkinOf(across)->vertical, 0);
  EXPECT_EQ(c::ProgressSkinOf(upright)->vertical, 1);
}

TEST_F(ProgressSkins, BarFollowsThePositionAtLowMiddleAndHigh) {
  const auto low = Painted(across, 0);
  const auto middle = Painted(across, 50);
  const auto high = Painted(across, 100);
  auto at = [](const std::unique_ptr<skin::MemoryDc>& s, int x) {
    return GetPixel(s->dc(), x, 18);
  };
  // Low: the trough alone, the picture showing through it.
  EXPECT_GT(GetBValue(at(low, 60)), 150);
  EXPECT_EQ(at(low, 60), at(low, 240));
  // Middle: the accent bar (0xFF8800: much green, where the trough over blue has little) on the
  // left half only.
  const COLORREF bar = at(middle, 60);
  EXPECT_GT(GetGValue(bar), GetGValue(at(low, 60)) + 60) << std::hex << bar;
  EXPECT_EQ(at(middle, 240), at(low, 240));
  // High: the whole trough is filled.
  EXPECT_NE(at(high, 240), at(low, 240));
  EXPECT_EQ(at(high, 240), at(high, 60));
}

TEST_F(ProgressSkins, VerticalBarGrowsFromTheBottom) {
  const auto low = Painted(upright, 0);
  const auto third = Painted(upright, 30);
  auto at = [](const std::unique_ptr<skin::MemoryDc>& s, int y) {
    return GetPixel(s->dc(), 18, y);
  };
  EXPECT_NE(at(third, 180), at(low, 180));  // near the bottom: filled
  EXPECT_EQ(at(third, 100), at(low, 100));  // above a third: not yet
  EXPECT_EQ(at(third, 20), at(low, 20));
}

TEST_F(ProgressSkins, NonClientPaintingNeverLetsTheSystemDrawTheBorder) {
  const auto expected = Painted(across, 40);
  SendMessageA(across, WM_NCPAINT, 1, 0);
  HDC dc = GetWindowDC(across);
  for (POINT p : {POINT{0, 12}, POINT{150, 0}, POINT{299, 12}, POINT{150, 23}, POINT{60, 12}}) {
    EXPECT_EQ(GetPixel(dc, p.x, p.y), GetPixel(expected->dc(), p.x, p.y)) << p.x << "," << p.y;
  }
  ReleaseDC(across, dc);
  // Nothing of the control's own erasing reaches the screen either.
  EXPECT_EQ(SendMessageA(across, WM_ERASEBKGND, 0, 0), 1);
}

}  // namespace
