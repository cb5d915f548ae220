// Sliders and up-down controls on a skinned window: what the attach records, the thumb at the
// ends of the range, the outline switch, hover, and the up-down halves hot and pressed.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "skin/controls/face_canvas.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/slider.h"
#include "skin/controls/up_down.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

namespace c = skin::controls;
using skin_test::SendMouse;
using skin_test::TestWindow;

constexpr COLORREF kBlue = RGB(0, 0, 255);

HWND Child(HWND parent, const char* cls, DWORD style, int x, int y, int w, int h) {
  return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         nullptr, nullptr);
}

// A painter's output in a memory surface of the control's size.
struct Face {
  Face(HWND control, void (*paint)(HWND, HDC)) {
    RECT r{};
    GetWindowRect(control, &r);
    dc.EnsureDc();
    dc.SelectNewDib(r.right - r.left, r.bottom - r.top);
    paint(control, dc.dc());
  }
  COLORREF At(int x, int y) const { return GetPixel(dc.dc(), x, y); }
  skin::MemoryDc dc;
};

void Slider(HWND slider, HDC dc) { c::PaintSliderOn(slider, dc); }
void UpDown(HWND control, HDC dc) { c::PaintUpDownOn(control, dc, c::UpDownOf(control)->hot); }

// Where the thumb's circle is along the axis: the middle of the run of nearly white pixels
// on the line through the thumb; -1 without one.
int CircleCentre(const Face& face, bool vertical, int across, int length) {
  int first = -1;
  int last = -1;
  for (int i = 0; i < length; ++i) {
    const COLORREF p = vertical ? face.At(across, i) : face.At(i, across);
    if (GetRValue(p) > 150 && GetGValue(p) > 150) {
      if (first < 0) first = i;
      last = i;
    }
  }
  return first < 0 ? -1 : (first + last) / 2;
}

class SliderUpDownSkins : public testing::Test {
 protected:
  void SetUp() override {
    skin_test::ResetSkinSettings();
    skin_test::engine->frameFirstRun = 0;
    window = std::make_unique<TestWindow>(420, 320);
    HWND w = window->hwnd();
    across = Child(w, TRACKBAR_CLASSA, TBS_AUTOTICKS | TBS_BOTTOM, 10, 40, 200, 32);
    upright = Child(w, TRACKBAR_CLASSA, TBS_VERT | TBS_BOTH | TBS_ENABLESELRANGE, 230, 40, 32, 200);
    spin = Child(w, UPDOWN_CLASSA, 0, 300, 40, 18, 30);
    flat = Child(w, UPDOWN_CLASSA, UDS_HORZ, 330, 40, 30, 18);
    skin_test::SkinLikeTheApplication(w, skin_test::SolidPicture(8, 8, kBlue));
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  skin_test::FaceWork& work() { return skin_test::faceWork(); }

  std::unique_ptr<TestWindow> window;
  HWND across{}, upright{}, spin{}, flat{};
};

TEST_F(SliderUpDownSkins, AttachRecordsWhatTheStyleSays) {
  ASSERT_NE(c::SliderOf(across), nullptr);
  ASSERT_NE(c::SliderOf(upright), nullptr);
  EXPECT_EQ(c::SliderOf(across)->vertical, 0);
  EXPECT_EQ(c::SliderOf(across)->tickSide, c::kTicksBottomOrRight);
  EXPECT_EQ(c::SliderOf(across)->selectionShown, 0);
  EXPECT_EQ(c::SliderOf(upright)->vertical, 1);
  EXPECT_EQ(c::SliderOf(upright)->tickSide, c::kTicksBoth);
  EXPECT_EQ(c::SliderOf(upright)->selectionShown, 1);
  ASSERT_NE(c::UpDownOf(spin), nullptr);
  EXPECT_EQ(c::UpDownOf(spin)->horizontal, 0);
  EXPECT_EQ(c::UpDownOf(flat)->horizontal, 1);
}

TEST_F(SliderUpDownSkins, ThumbFollowsThePositionToBothEndsOfTheRange) {
  struct Case {
    HWND slider;
    bool vertical;
    int length;
  };
  for (const Case& k : {Case{across, false, 200}, Case{upright, true, 200}}) {
    SendMessageA(k.slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 50));
    RECT thumb{};
    SendMessageA(k.slider, TBM_SETPOS, TRUE, 0);
    SendMessageA(k.slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const graphics::GfxRectF circle =
        c::ThumbCircle(thumb, k.vertical, c::SliderOf(k.slider)->tickSide);
    const int line =
        static_cast<int>(k.vertical ? circle.x + circle.width / 2 : circle.y + circle.height / 2);
    const int low = CircleCentre(Face(k.slider, Slider), k.vertical, line, k.length);
    SendMessageA(k.slider, TBM_SETPOS, TRUE, 50);
    const int high = CircleCentre(Face(k.slider, Slider), k.vertical, line, k.length);
    SendMessageA(k.slider, TBM_SETPOS, TRUE, 25);
    const int middle = CircleCentre(Face(k.slider, Slider), k.vertical, line, k.length);
    // At the low end the circle is within its own width of the start, at the high end of the
    // end, and halfway between in the middle.
    EXPECT_GE(low, 0);
    EXPECT_LT(low, 20) << k.vertical;
    EXPECT_GT(high, k.length - 20) << k.vertical;
    EXPECT_NEAR(middle, (low + high) / 2, 3) << k.vertical;
  }
}

TEST_F(SliderUpDownSkins, OutlineSwitchOffLeavesOnlyChannelSelectionAndThumb) {
  const Face framed(across, Slider);
  skin_test::engine->outlineEnabled = 0;
  const Face bare(across, Slider);
  // Away from channel and thumb: the frame's gradient, or the picture itself.
  EXPECT_NE(framed.At(100, 3), kBlue);
  EXPECT_EQ(bare.At(100, 3), kBlue);
  EXPECT_EQ(bare.At(0, 16), kBlue);
}

// What the screen shows: the slider's outline along (1, 1) takes the accent while hot, once.
TEST_F(SliderUpDownSkins, SliderHoverLightsTheOutlineOnceAndLeavingPutsItOut) {
  using skin_test::WindowPixel;
  const COLORREF unlit = WindowPixel(across, 100, 1);
  EXPECT_FALSE(skin_test::ShowsAccent(unlit)) << std::hex << unlit;
  SendMouse(across, WM_MOUSEMOVE, 100, 20);
  EXPECT_TRUE(skin_test::ShowsAccent(WindowPixel(across, 100, 1)));
  skin_test::MarkWindowPixel(across, 60, 1, RGB(255, 0, 255));
  for (int i = 1; i < 4; ++i) SendMouse(across, WM_MOUSEMOVE, 100 + i, 20);
  EXPECT_EQ(WindowPixel(across, 60, 1), RGB(255, 0, 255)) << "repainted on every move";
  SendMessageA(across, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(WindowPixel(across, 100, 1), unlit);
}

// The half under the pointer lights up on the screen and the other stays as it was; a
// horizontal control splits left and right.
TEST_F(SliderUpDownSkins, UpDownLightsTheHalfUnderThePointerOncePerHalf) {
  using skin_test::WindowPixel;
  const COLORREF upper = WindowPixel(spin, 4, 6);
  const COLORREF lower = WindowPixel(spin, 4, 24);
  SendMouse(spin, WM_MOUSEMOVE, 9, 3);
  EXPECT_NE(WindowPixel(spin, 4, 6), upper);
  EXPECT_EQ(WindowPixel(spin, 4, 24), lower);
  skin_test::MarkWindowPixel(spin, 4, 8, RGB(255, 0, 255));
  SendMouse(spin, WM_MOUSEMOVE, 9, 5);
  EXPECT_EQ(WindowPixel(spin, 4, 8), RGB(255, 0, 255)) << "repainted within the half";
  SendMouse(spin, WM_MOUSEMOVE, 9, 25);
  EXPECT_EQ(WindowPixel(spin, 4, 6), upper);
  EXPECT_NE(WindowPixel(spin, 4, 24), lower);
  SendMessageA(spin, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(WindowPixel(spin, 4, 24), lower);
  const COLORREF right = WindowPixel(flat, 24, 4);
  SendMouse(flat, WM_MOUSEMOVE, 25, 9);
  EXPECT_NE(WindowPixel(flat, 24, 4), right);
  SendMessageA(flat, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(WindowPixel(flat, 24, 4), right);
}

TEST_F(SliderUpDownSkins, PressingAHalfShowsThePressedFaceOnThatHalfOnly) {
  SendMouse(spin, WM_MOUSEMOVE, 9, 25);
  const Face hot(spin, UpDown);
  SendMouse(spin, WM_LBUTTONDOWN, 9, 25, MK_LBUTTON);
  EXPECT_EQ(work().lastWindow, spin);
  EXPECT_EQ(work().lastState, c::kStatePressed << 8);
  const Face pressed(spin, UpDown);
  SendMouse(spin, WM_LBUTTONUP, 9, 25);
  EXPECT_EQ(work().lastState, c::kStateHot << 8);
  SendMessageA(spin, WM_MOUSELEAVE, 0, 0);
  const Face normal(spin, UpDown);
  // The pressed gradient runs from the accent to white: its top is bluer than the hot face's,
  // which starts white; the upper half looks the same throughout.
  EXPECT_NE(pressed.At(4, 18), hot.At(4, 18));
  EXPECT_LT(GetRValue(pressed.At(4, 18)), GetRValue(hot.At(4, 18)));
  EXPECT_EQ(pressed.At(4, 6), normal.At(4, 6));
  EXPECT_EQ(hot.At(4, 6), normal.At(4, 6));
  EXPECT_NE(hot.At(4, 24), normal.At(4, 24));
}

}  // namespace
