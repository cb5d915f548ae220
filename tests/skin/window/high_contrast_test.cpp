// High contrast: a WM_SETTINGCHANGE that finds the mode on gives the window the system's frame
// and leaves the picture out, every control in the system's colours; one that finds it off brings
// the skin back in the same window. The system's setting cannot be switched here (Wine refuses
// SPI_SETHIGHCONTRAST), so the mode is read from the test's own source through the engine's one
// reading point; the message path is the real one.
#include "skin/contrast/high_contrast.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin_test::TestWindow;

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

bool highContrast = false;
bool TestSource() { return highContrast; }

constexpr COLORREF kPicture = RGB(40, 160, 70);

HWND Child(HWND parent, const char* cls, DWORD style, int x, int y, int w, int h) {
  return CreateWindowExA(0, cls, "Go", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         nullptr, nullptr);
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

void Switch(HWND window, bool on) {
  highContrast = on;
  SendMessageA(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  skin_test::Pump(50);
}

class HighContrast : public testing::Test {
 protected:
  void SetUp() override {
    skin_test::ResetSkinSettings();
    skin_test::engine->frameFirstRun = 0;
    skin_test::engine->highContrast.SetSource(TestSource);
  }
  void TearDown() override {
    highContrast = false;
    skin_test::engine->highContrast.Refresh();
    skin_test::engine->highContrast.SetSource(nullptr);
  }
};

TEST_F(HighContrast, SystemFrameAndColoursWhileOnTheSkinAgainAfter) {
  TestWindow window(320, 220);
  HWND w = window.hwnd();
  HWND push = Child(w, "Button", BS_PUSHBUTTON, 20, 40, 100, 30);
  HWND radio = Child(w, "Button", BS_AUTORADIOBUTTON, 20, 90, 120, 20);
  HWND list = Child(w, "ListBox", WS_BORDER | LBS_NOINTEGRALHEIGHT, 170, 40, 120, 100);
  skin_test::SkinLikeTheApplication(w, skin_test::SolidPicture(16, 16, kPicture));
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  skin_test::Pump(50);
  RECT before{};
  GetClientRect(w, &before);
  const auto skinned = [&] {
    EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(Near(ScreenPixel(w, 160, 190), kPicture, 40))
        << std::hex << ScreenPixel(w, 160, 190);
    EXPECT_TRUE(Near(ScreenPixel(radio, 110, 10), kPicture, 40));
    EXPECT_TRUE(Near(ScreenPixel(list, 100, 80), kPicture, 40));
    EXPECT_NE(ScreenPixel(push, 50, 8), GetSysColor(COLOR_BTNFACE));
  };
  skinned();

  Switch(w, true);
  EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_CAPTION);
  RECT during{};
  GetClientRect(w, &during);
  EXPECT_EQ(during.right, before.right);
  EXPECT_EQ(during.bottom, before.bottom);
  // No picture anywhere: the window, the button, the radio's and the list's backgrounds are the
  // system's colours.
  EXPECT_EQ(ScreenPixel(w, 160, 190), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ScreenPixel(push, 50, 8), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ScreenPixel(radio, 110, 10), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ScreenPixel(list, 100, 80), GetSysColor(COLOR_WINDOW));
  // A window skinned while the mode is on starts as the system's.
  TestWindow later(200, 120);
  skin_test::SkinLikeTheApplication(later.hwnd(), skin_test::SolidPicture(16, 16, kPicture));
  EXPECT_TRUE(GetWindowLongA(later.hwnd(), GWL_STYLE) & WS_CAPTION);

  Switch(w, false);
  RECT after{};
  GetClientRect(w, &after);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  skinned();
}

}  // namespace
