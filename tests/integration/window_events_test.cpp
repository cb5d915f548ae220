// The tray, the menu, minimising, the panel drag and the layout files, on the real player.
#include <gtest/gtest.h>

#include "app/windows/player_units.h"
#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using namespace testing_support;

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

HWND GroupBoxOf(HWND main) { return FindWindowExA(main, nullptr, "Button", nullptr); }

LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Sent, not posted: the player has handled it when this returns.
void Deliver(HWND w, UINT m, WPARAM wp, LPARAM lp) { SendMessageA(w, m, wp, lp); }

class WindowEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    // The real pointer stays off the player: a window moved under it gets a mouse move of the
    // system's own, at the pointer, which a panel being dragged would follow.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    dir_ = MakePlayerFolder(TestName());
    player_ = std::make_unique<PlayerProcess>(dir_.folder);
    main_ = player_->WaitForMainWindow();
    ASSERT_NE(main_, nullptr);
    box_ = GroupBoxOf(main_);
  }
  void TearDown() override {
    if (player_) player_->Close();
  }
  void Minimise() {
    ShowWindow(main_, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); }, 5000));
  }
  void Tray(UINT mouseMessage) {
    Deliver(main_, app::kTrayMessage, app::kTrayIconId, mouseMessage);
  }

  PlayerFolder dir_;
  std::unique_ptr<PlayerProcess> player_;
  HWND main_ = nullptr;
  HWND box_ = nullptr;
};

TEST_F(WindowEvents, MinimisingHidesTheWindowAndALeftClickBringsItBackCentred) {
  Minimise();
  EXPECT_TRUE(IsIconic(main_));
  Tray(WM_MOUSEMOVE);  // other actions do nothing
  EXPECT_FALSE(IsWindowVisible(main_));
  Tray(WM_LBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main_) && !IsIconic(main_); }, 5000));
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const RECT r = WindowRectOf(main_);
  EXPECT_NEAR((r.left + r.right) / 2, (area.left + area.right) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, (area.top + area.bottom) / 2, 1);
  EXPECT_EQ(r.right - r.left, 634);
  EXPECT_EQ(GetWindowLongA(main_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(WindowEvents, TheShowMenuItemActsLikeTheLeftClick) {
  Minimise();
  Deliver(main_, WM_COMMAND, app::kMenu显示, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main_) && !IsIconic(main_); }, 5000));
}

// The pointer is shared by every test on the display: put back where it was afterwards.
class PointerAt {
 public:
  PointerAt(int x, int y) {
    GetCursorPos(&before_);
    SetCursorPos(x, y);
  }
  ~PointerAt() { SetCursorPos(before_.x, before_.y); }

 private:
  POINT before_{};
};

// The menu window of the process once it shows.
HWND WaitForMenu() {
  HWND menu = nullptr;
  WaitFor([&] { return (menu = FindWindowA("#32768", nullptr)) && IsWindowVisible(menu); }, 5000);
  return menu;
}

TEST_F(WindowEvents, ARightClickOpensTheMenuAtThePointerAndItsFirstItemShows) {
  const PointerAt pointer(300, 200);
  Minimise();
  PostMessageA(main_, app::kTrayMessage, app::kTrayIconId, WM_RBUTTONUP);
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  const RECT r = WindowRectOf(menu);
  EXPECT_NEAR(r.left, 300, 2);
  EXPECT_NEAR(r.top, 200, 2);
  PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main_) && !IsIconic(main_); }, 5000));
  EXPECT_FALSE(IsWindowVisible(menu));
}

TEST_F(WindowEvents, TheLastMenuItemEndsTheProgram) {
  PostMessageA(main_, app::kTrayMessage, app::kTrayIconId, WM_RBUTTONUP);
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(player_->WaitForExit(), 0);
}

TEST_F(WindowEvents, EscapeClosesTheMenuAndNothingHappens) {
  PostMessageA(main_, app::kTrayMessage, app::kTrayIconId, WM_RBUTTONUP);
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 5000));
  EXPECT_TRUE(IsWindowVisible(main_));
  EXPECT_EQ(player_->WaitForExit(300), -1);
}

// Not an error: it carries the program's own title, and the window owns it, so it stays in front.
TEST_F(WindowEvents, AboutShowsTheContactNote) {
  PostMessageA(main_, WM_COMMAND, app::kMenu关于, 0);
  HWND box = nullptr;
  const std::string text = player_->WaitForMessageBox(5000, &box);
  EXPECT_NE(text.find("联系作者"), std::string::npos) << text;
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "Velory音乐播放器");
  EXPECT_EQ(GetWindow(box, GW_OWNER), main_);
  SendMessageA(box, WM_COMMAND, IDOK, 0);
}

// The maximise button of the caption strip (minimise, maximise, close) in client coordinates.
RECT MaximiseButton(HWND main) {
  RECT client{};
  GetClientRect(main, &client);
  // The strip is 95 pixels wide: 26 + 26 + 38 and the gaps; it ends one pixel past the edge.
  const int left = client.right - 94 + 2 + 27;
  return RECT{left, 1, left + 26, 19};
}

// What the screen shows of the button, on a grid: enough to tell its two glyphs apart.
std::vector<COLORREF> ButtonPixels(HWND main) {
  const RECT r = MaximiseButton(main);
  std::vector<COLORREF> pixels;
  HDC screen = GetDC(nullptr);
  for (int y = r.top + 1; y < r.bottom; y += 2) {
    for (int x = r.left + 1; x < r.right; x += 2) {
      POINT p{x, y};
      ClientToScreen(main, &p);
      pixels.push_back(GetPixel(screen, p.x, p.y));
    }
  }
  ReleaseDC(nullptr, screen);
  return pixels;
}

void ClickMaximiseButton(HWND main) {
  const RECT r = MaximiseButton(main);
  const LPARAM at = Point((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(main, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(main, WM_LBUTTONUP, 0, at);
}

TEST_F(WindowEvents, TheMaximiseButtonFollowsTheWindowWhenTheSystemRestoresIt) {
  const PointerAt pointer(300, 300);  // off the strip: no hover fade changes the glyph
  // Painted: two refreshes of the face (timer messages, which wait for pending paints) after the
  // start-up's last step.
  const Announcements& e = player_->events();
  const int painted = e.WaitFor("step main window painted");
  ASSERT_GE(painted, 0) << e.Dump();
  const int first = e.WaitFor("face ", painted);
  ASSERT_GE(first, 0) << e.Dump(painted);
  ASSERT_GE(e.WaitFor("face ", first + 1), 0) << e.Dump(painted);
  const std::vector<COLORREF> normal = ButtonPixels(main_);
  // Zoomed, and laid out at its new size: the button is then where the next click goes.
  const auto maximised = [&] {
    const RECT r = WindowRectOf(main_);
    return IsZoomed(main_) && r.right - r.left != 634;
  };
  const auto restoredAgain = [&] {
    const RECT r = WindowRectOf(main_);
    return !IsZoomed(main_) && r.right - r.left == 634 && ButtonPixels(main_) == normal;
  };
  // Which part of it failed, when it did.
  const auto state = [&] {
    const RECT r = WindowRectOf(main_);
    return "zoomed " + std::to_string(IsZoomed(main_)) + ", width " +
           std::to_string(r.right - r.left) + ", glyph as at first " +
           std::to_string(ButtonPixels(main_) == normal);
  };
  // Restored by the system menu (or the taskbar, or the keyboard), then by ShowWindow: each time
  // the glyph is the maximise one again and the next click maximises.
  for (const bool bySystemMenu : {true, false}) {
    SCOPED_TRACE(bySystemMenu ? "SC_RESTORE" : "SW_RESTORE");
    ClickMaximiseButton(main_);
    ASSERT_TRUE(WaitFor(maximised, 5000));
    if (bySystemMenu) {
      PostMessageA(main_, WM_SYSCOMMAND, SC_RESTORE, 0);
    } else {
      ShowWindow(main_, SW_RESTORE);
    }
    EXPECT_TRUE(WaitFor(restoredAgain, 5000)) << state();
  }
  ClickMaximiseButton(main_);
  EXPECT_TRUE(WaitFor(maximised, 5000));
  // And the button itself still restores.
  ClickMaximiseButton(main_);
  EXPECT_TRUE(WaitFor(restoredAgain, 5000)) << state();
}

// The window that holds the mouse capture in the player's thread, or null.
HWND CaptureOf(HWND main) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
  return info.hwndCapture;
}

TEST_F(WindowEvents, ADragKeepsTheGrabbedPointAndEndsWhereverTheButtonIsReleased) {
  const RECT b = ChildRect(box_);                                         // 18, 16
  Deliver(main_, WM_LBUTTONDOWN, MK_LBUTTON, Point(b.left, b.top + 20));  // the edge: no drag
  Deliver(main_, WM_MOUSEMOVE, MK_LBUTTON, Point(200, 150));
  EXPECT_EQ(ChildRect(box_).left, b.left);
  EXPECT_EQ(CaptureOf(main_), nullptr);

  // Each way a drag can end, and each time the grabbed point stays under the pointer.
  const struct {
    const char* how;
    UINT message;
    WPARAM keys;
  } ends[] = {
      {"left release", WM_LBUTTONUP, 0},
      {"right release", WM_RBUTTONUP, 0},
      {"a move without the button: released outside", WM_MOUSEMOVE, 0},
      {"capture lost", WM_CAPTURECHANGED, 0},
  };
  for (const auto& end : ends) {
    SCOPED_TRACE(end.how);
    const RECT from = ChildRect(box_);
    Deliver(main_, WM_LBUTTONDOWN, MK_LBUTTON, Point(from.left + 20, from.top + 30));
    EXPECT_EQ(CaptureOf(main_), main_);
    Deliver(main_, WM_MOUSEMOVE, MK_LBUTTON, Point(from.left + 20 + 7, from.top + 30 + 5));
    EXPECT_EQ(ChildRect(box_).left, from.left + 7);
    EXPECT_EQ(ChildRect(box_).top, from.top + 5);
    Deliver(main_, end.message, end.keys, Point(3000, 3000));
    Deliver(main_, WM_MOUSEMOVE, MK_LBUTTON, Point(100, 100));
    EXPECT_EQ(ChildRect(box_).left, from.left + 7);
    EXPECT_EQ(ChildRect(box_).top, from.top + 5);
    if (end.message != WM_CAPTURECHANGED) {
      EXPECT_EQ(CaptureOf(main_), nullptr);
    }
  }
}

TEST_F(WindowEvents, APanelDraggedPastEachEdgeStaysInsideAndIsSavedThere) {
  RECT client;
  GetClientRect(main_, &client);
  const RECT b = ChildRect(box_);
  const int width = b.right - b.left, height = b.bottom - b.top;
  // Grabbed at its corner's offset (20, 100): the corner goes where the pointer goes less that.
  Deliver(main_, WM_LBUTTONDOWN, MK_LBUTTON, Point(b.left + 20, b.top + 100));
  const struct {
    int x, y, left, top;
  } moves[] = {
      {client.right + 50, 140, client.right - width, 40},    // past the right edge
      {50, client.bottom + 80, 30, client.bottom - height},  // past the bottom
      {-200, 150, 0, 50},                                    // past the left
      {90, -60, 70, 0},                                      // past the top
      {5000, 5000, client.right - width, client.bottom - height},
  };
  for (const auto& m : moves) {
    Deliver(main_, WM_MOUSEMOVE, MK_LBUTTON, Point(m.x, m.y));
    const RECT now = ChildRect(box_);
    EXPECT_EQ(now.left, m.left) << m.x << "," << m.y;
    EXPECT_EQ(now.top, m.top) << m.x << "," << m.y;
  }
  Deliver(main_, WM_LBUTTONUP, 0, Point(5000, 5000));
  PostMessageA(main_, WM_COMMAND, app::kMenu退出, 0);
  EXPECT_EQ(player_->WaitForExit(), 0);
  EXPECT_EQ(ReadFileBytes(dir_.Path("\\config\\Grouping.txt")),
            std::to_string(client.right - width) + "#" + std::to_string(client.bottom - height));
}

TEST_F(WindowEvents, APanelDraggedInAMaximisedWindowIsStillInsideAfterRestoreAndRestart) {
  ShowWindow(main_, SW_MAXIMIZE);
  ASSERT_TRUE(WaitFor([&] { return IsZoomed(main_) != FALSE; }, 5000));
  RECT big{};
  GetClientRect(main_, &big);
  const RECT b = ChildRect(box_);
  Deliver(main_, WM_LBUTTONDOWN, MK_LBUTTON, Point(b.left + 20, b.top + 100));
  Deliver(main_, WM_MOUSEMOVE, MK_LBUTTON, Point(big.right - 1, big.bottom - 1));
  Deliver(main_, WM_LBUTTONUP, 0, Point(big.right - 1, big.bottom - 1));
  ShowWindow(main_, SW_RESTORE);
  RECT client{};
  ASSERT_TRUE(WaitFor(
      [&] {
        GetClientRect(main_, &client);
        return !IsZoomed(main_) && client.right < big.right;
      },
      5000));
  const RECT now = ChildRect(box_);
  EXPECT_EQ(now.right, client.right);
  EXPECT_EQ(now.bottom, client.bottom);
  PostMessageA(main_, WM_COMMAND, app::kMenu退出, 0);
  EXPECT_EQ(player_->WaitForExit(), 0);
  EXPECT_EQ(ReadFileBytes(dir_.Path("\\config\\Grouping.txt")),
            std::to_string(now.left) + "#" + std::to_string(now.top));

  // A position saved outside this size, as an older build wrote it, comes back inside.
  WriteFileBytes(dir_.Path("\\config\\Grouping.txt"), "906#11");
  PlayerProcess again(dir_.folder);
  HWND main = again.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  const RECT inside = ChildRect(GroupBoxOf(main));
  EXPECT_EQ(inside.left, client.right - (b.right - b.left));
  EXPECT_EQ(inside.top, 11);
  again.Close();
  EXPECT_EQ(again.WaitForExit(), 0);
}

TEST_F(WindowEvents, ExitSavesTheLayoutAndTheNextStartRestoresIt) {
  // A window smaller than the panel: the dragged panel keeps its corner between the edge and
  // its home, below the caption.
  SetWindowPos(main_, nullptr, -100, -50, 230, 160, SWP_NOZORDER);
  Deliver(main_, WM_LBUTTONDOWN, MK_LBUTTON, Point(30, 30));
  Deliver(main_, WM_MOUSEMOVE, MK_LBUTTON, Point(-25, 140));
  Deliver(main_, WM_LBUTTONUP, 0, Point(-25, 140));
  PostMessageA(main_, WM_COMMAND, app::kMenu退出, 0);
  EXPECT_EQ(player_->WaitForExit(), 0);
  EXPECT_EQ(ReadFileBytes(dir_.Path("\\config\\Grouping.txt")), "0#16");
  EXPECT_EQ(ReadFileBytes(dir_.Path("\\config\\main.txt")), "230#160");

  // The window size from the file is applied as read, partly off screen or not.
  PlayerProcess again(dir_.folder);
  HWND main = again.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  const RECT r = WindowRectOf(main);
  EXPECT_EQ(r.right - r.left, 230);
  EXPECT_EQ(r.bottom - r.top, 160);
  again.Close();
  EXPECT_EQ(again.WaitForExit(), 0);
  EXPECT_EQ(ReadFileBytes(dir_.Path("\\config\\Grouping.txt")), "0#16");
}

TEST_F(WindowEvents, ExitWhileHiddenInTheTraySavesTheNormalSize) {
  Minimise();
  PostMessageA(main_, WM_COMMAND, app::kMenu退出, 0);
  EXPECT_EQ(player_->WaitForExit(), 0);
  EXPECT_EQ(ReadFileBytes(dir_.Path("\\config\\main.txt")), "634#388");
  EXPECT_EQ(ReadFileBytes(dir_.Path("\\config\\Grouping.txt")), "18#16");
}

}  // namespace
