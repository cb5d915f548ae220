// The real player's own controls are the skin's: buttons, radio buttons and the group box.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::ChildRect;
using testing_support::FindChild;
using testing_support::MakePlayerFolder;
using testing_support::PlayerFolder;
using testing_support::PlayerProcess;
using testing_support::WaitFor;

intptr_t Prop(HWND window, const char* key) {
  return reinterpret_cast<intptr_t>(GetPropA(window, key));
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST(SkinnedControls, ButtonsRadioButtonsAndTheGroupBoxAreTheSkins) {
  const PlayerFolder dir =
      MakePlayerFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND box = FindWindowExA(main, nullptr, "Button", nullptr);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Prop(box, "Hw_hProc"), 0);  // the panel's own procedure is installed

  for (const char* caption : {"换一批", "更换背景", "下 载"}) {
    HWND button = FindChild(box, "Button", caption);
    ASSERT_NE(button, nullptr) << caption;
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << caption;
    EXPECT_NE(Prop(button, "Hw_hProc"), 0) << caption;
    EXPECT_EQ(Prop(button, "Hw_FuID"), Prop(main, "Hw_lbID")) << caption;
  }
  for (const char* caption : {"列表循环", "单曲循环"}) {
    HWND radio = FindChild(box, "Button", caption);
    ASSERT_NE(radio, nullptr) << caption;
    EXPECT_EQ(GetWindowLongA(radio, GWL_STYLE) & BS_TYPEMASK, BS_AUTORADIOBUTTON) << caption;
    EXPECT_GT(Prop(radio, "Hw_lbID"), 0) << caption;
  }

  // The picture shows inside the group box as it does just outside it, and behind the radio
  // button's face (no opaque rectangle round it).
  const RECT b = ChildRect(box);
  HWND radio = FindChild(box, "Button", "单曲循环");
  const RECT r = ChildRect(radio);
  ASSERT_TRUE(WaitFor(
      [&] {
        for (int y = 30; y <= 140; y += 10) {
          if (!Near(ScreenPixel(box, 4, y), ScreenPixel(main, b.left - 6, b.top + y), 24))
            return false;
        }
        return Near(ScreenPixel(radio, r.right - r.left - 2, 1),
                    ScreenPixel(main, b.left - 6, b.top + r.top + 1), 40);
      },
      5000));

  // The loop-mode radio buttons still work: a click moves the check.
  HWND single = FindChild(box, "Button", "单曲循环");
  HWND loop = FindChild(box, "Button", "列表循环");
  SendMessageA(single, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] {
    return SendMessageA(single, BM_GETCHECK, 0, 0) == BST_CHECKED &&
           SendMessageA(loop, BM_GETCHECK, 0, 0) == BST_UNCHECKED;
  }));
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

}  // namespace
