// The real player's own controls are the skin's: buttons, radio buttons and the group box.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/observe.h"
#include "tests/support/picture.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::BlockColourAt;
using testing_support::BlockPictureBytes;
using testing_support::ChildRect;
using testing_support::FindChild;
using testing_support::IsSystemColour;
using testing_support::MakePlayerFolder;
using testing_support::Near;
using testing_support::PlayerFolder;
using testing_support::PlayerProcess;
using testing_support::ScreenPixel;
using testing_support::WaitFor;
using testing_support::WriteFileBytes;

intptr_t Prop(HWND window, const char* key) {
  return reinterpret_cast<intptr_t>(GetPropA(window, key));
}

// A player whose background is the block picture, so every pixel it shows is known.
PlayerFolder BlockPictureFolder() {
  const PlayerFolder dir =
      MakePlayerFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  WriteFileBytes(dir.Path("\\背景\\default.jpg"), BlockPictureBytes());
  return dir;
}

// Points of a child window where the main window's picture must show: each is the picture's
// own colour there, never a system colour. Points near a block's edge are left out; `checked`
// counts the others.
class PictureCheck {
 public:
  explicit PictureCheck(HWND main) : main_(main) { GetClientRect(main, &client_); }
  bool Shows(HWND window, int x, int y) {
    POINT p{x, y};
    MapWindowPoints(window, main_, &p, 1);
    const auto expected = BlockColourAt(p.x, p.y, client_.right, client_.bottom);
    if (!expected) return true;
    ++checked;
    const COLORREF seen = ScreenPixel(window, x, y);
    if (Near(seen, *expected, 16) && !IsSystemColour(seen)) return true;
    char text[96];
    std::snprintf(text, sizeof(text), "at %ld,%ld of the main window: %06lx for %06lx", p.x, p.y,
                  static_cast<unsigned long>(seen), static_cast<unsigned long>(*expected));
    wrong = text;
    return false;
  }
  int checked = 0;
  std::string wrong;

 private:
  HWND main_;
  RECT client_{};
};

TEST(SkinnedControls, ButtonsRadioButtonsAndTheGroupBoxAreTheSkins) {
  const PlayerFolder dir = BlockPictureFolder();
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

  // The picture shows inside the group box, and behind the radio button's face (no opaque
  // rectangle round it).
  HWND radio = FindChild(box, "Button", "单曲循环");
  const RECT r = ChildRect(radio);
  PictureCheck picture(main);
  EXPECT_TRUE(WaitFor(
      [&] {
        picture.checked = 0;
        for (int y = 30; y <= 140; y += 10) {
          for (int x = 4; x <= 8; x += 4) {
            if (!picture.Shows(box, x, y)) return false;
          }
        }
        for (int y = 1; y < r.bottom - r.top - 1; y += 3) {
          if (!picture.Shows(radio, r.right - r.left - 2, y)) return false;
        }
        return true;
      },
      5000))
      << picture.wrong;
  EXPECT_GT(picture.checked, 15);

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

TEST(SkinnedControls, BothListsAreTheSkinsAndShowThePictureBehindTheirItems) {
  const PlayerFolder dir = BlockPictureFolder();
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND box = FindWindowExA(main, nullptr, "Button", nullptr);
  HWND shown = nullptr, hidden = nullptr;
  for (HWND list = FindWindowExA(box, nullptr, "ListBox", nullptr); list;
       list = FindWindowExA(box, list, "ListBox", nullptr)) {
    (IsWindowVisible(list) ? shown : hidden) = list;
  }
  ASSERT_NE(shown, nullptr);
  ASSERT_NE(hidden, nullptr);
  for (HWND list : {shown, hidden}) {
    EXPECT_NE(Prop(list, "Hw_hProc"), 0);
    EXPECT_EQ(Prop(list, "Hw_FuID"), Prop(main, "Hw_lbID"));
  }
  // Below the lines that say no catalogue answered, the picture shows (the player's wash is fully
  // transparent), not the system's white.
  RECT client{};
  GetClientRect(shown, &client);
  const auto itemHeight = static_cast<int>(SendMessageA(shown, LB_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(itemHeight, 0);
  PictureCheck picture(main);
  EXPECT_TRUE(WaitFor(
      [&] {
        picture.checked = 0;
        for (int item = 4; item <= 8; ++item) {
          const int y = item * itemHeight + itemHeight / 2;
          for (int x = client.right - 2; x >= client.right - 5; x -= 3) {
            if (!picture.Shows(shown, x, y)) return false;
          }
        }
        return true;
      },
      5000))
      << picture.wrong;
  EXPECT_GE(picture.checked, 5);
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

}  // namespace
