// Faults of the frame that were mended: activation stolen by a repaint, a stray release acting
// again, a fade restarted by moves, and a failed composition taken for a good one.
#include <gtest/gtest.h>

#include "skin/picture/picture_cache.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin_test::RecordOf;
using skin_test::SendMouse;
using skin_test::TestWindow;

struct FrameMends : testing::Test {
  void SetUp() override {
    skin_test::ResetSkinSettings();
    skin_test::engine->frameFirstRun = 0;
    SetCursorPos(1000, 740);  // the real pointer stays off the windows
  }
};

TEST_F(FrameMends, AFullRepaintDoesNotActivateTheWindow) {
  TestWindow skinned(300, 200);
  skin_test::engine->AttachWindow(skinned.hwnd());
  RedrawWindow(skinned.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  skin_test::Pump(50);  // its first paint is done before the other window takes the activation
  TestWindow other(200, 100, 0, true, 400, 300);
  SetForegroundWindow(other.hwnd());
  SetActiveWindow(other.hwnd());
  skin_test::Pump(50);
  if (GetActiveWindow() != other.hwnd()) GTEST_SKIP() << "this display cannot activate windows";
  RecordOf(skinned.hwnd())->needsFullRedraw = true;
  RedrawWindow(skinned.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  skin_test::engine->PaintFrame(skin_test::IndexOf(skinned.hwnd()), nullptr);
  skin_test::Pump(50);
  EXPECT_EQ(GetActiveWindow(), other.hwnd());
}

TEST_F(FrameMends, AReleaseActsOnceAndOnlyOnTheButtonThatTookThePress) {
  TestWindow window(300, 200, WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  skin_test::engine->AttachWindow(window.hwnd());
  window.InterceptMoveAndSize(true);
  window.InterceptSysCommands(true);
  const skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  const int minimizeX = static_cast<int>(r.captionButtons[0].rect.x) + 10;
  const int closeX = static_cast<int>(r.captionButtons[2].rect.x) + 10;
  window.ClearSeen();
  SendMouse(window.hwnd(), WM_LBUTTONDOWN, minimizeX, 10, MK_LBUTTON);
  SendMouse(window.hwnd(), WM_LBUTTONUP, minimizeX, 10);
  SendMouse(window.hwnd(), WM_LBUTTONUP, minimizeX, 10);  // the stray second release
  EXPECT_EQ(window.SysCommands(), (std::vector<WPARAM>{SC_MINIMIZE}));
  // Pressed on one button, released on another: nothing.
  window.ClearSeen();
  SendMouse(window.hwnd(), WM_LBUTTONDOWN, minimizeX, 10, MK_LBUTTON);
  SendMouse(window.hwnd(), WM_LBUTTONUP, closeX, 10);
  EXPECT_TRUE(window.SysCommands().empty());
}

TEST_F(FrameMends, MovingOverAButtonLetsItsFadeRunOn) {
  TestWindow window(300, 200, WS_MINIMIZEBOX);
  skin_test::engine->AttachWindow(window.hwnd());
  skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  const int x = static_cast<int>(r.captionButtons[0].rect.x) + 10;
  const auto tick = [&] {
    SendMessageA(window.hwnd(), WM_TIMER, reinterpret_cast<WPARAM>(window.hwnd()), 0);
  };
  // No hover message arrives while the pointer keeps moving.
  for (int i = 0; i < 6; ++i) {
    SendMouse(window.hwnd(), WM_MOUSEMOVE, x + (i % 3), 10);
    tick();
  }
  EXPECT_EQ(r.fadeIn.button, 1);
  EXPECT_EQ(r.fadeIn.step, 6);
  KillTimer(window.hwnd(), reinterpret_cast<UINT_PTR>(window.hwnd()));
}

TEST_F(FrameMends, ABackgroundCountsOnlyOnceItsCompositionSucceeded) {
  skin::PictureCache cache;
  skin::BackgroundKey key;
  key.width = 20;
  key.height = 10;
  ASSERT_NE(cache.NewBackground(key), nullptr);
  EXPECT_EQ(cache.Background(key), nullptr);  // composing it failed half-way
  ASSERT_NE(cache.NewBackground(key), nullptr);
  cache.CommitBackground();
  EXPECT_NE(cache.Background(key), nullptr);
}

}  // namespace
