// The frame procedure's handling of mouse, timer, size and system messages, observed through the
// window's own procedure behind it.
#include <gtest/gtest.h>

#include "skin/caption/caption_strip.h"
#include "skin/frame/min_max.h"
#include "skin/frame/move_size.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"
#include "tests/skin/window/resource_count.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin_test::RecordOf;
using skin_test::SendMouse;
using skin_test::TestWindow;

constexpr WPARAM kCaptionPress = HTCAPTION;

class FrameMessages : public testing::Test {
 protected:
  void SetUp() override {
    skin_test::ResetSkinSettings();
    skin_test::engine->frameFirstRun = 0;
    engine = skin_test::engine;
  }
  skin::SkinEngine* engine = nullptr;
};

std::vector<WPARAM> PressAt(TestWindow& window, int x, int y) {
  window.ClearSeen();
  SendMouse(window.hwnd(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  return window.MoveSizeRequests();
}

TEST_F(FrameMessages, PressesMoveOrSizeByZone) {
  TestWindow window(300, 200);
  engine->AttachWindow(window.hwnd());
  window.InterceptMoveAndSize(true);
  EXPECT_EQ(PressAt(window, 2, 50), (std::vector<WPARAM>{0xF001}));
  EXPECT_EQ(PressAt(window, 298, 50), (std::vector<WPARAM>{0xF002}));
  EXPECT_EQ(PressAt(window, 150, 2), (std::vector<WPARAM>{0xF003}));
  EXPECT_EQ(PressAt(window, 150, 198), (std::vector<WPARAM>{0xF006}));
  EXPECT_EQ(PressAt(window, 5, 5), (std::vector<WPARAM>{0xF004}));
  EXPECT_EQ(PressAt(window, 295, 2), (std::vector<WPARAM>{0xF005}));
  EXPECT_EQ(PressAt(window, 5, 195), (std::vector<WPARAM>{0xF007}));
  EXPECT_EQ(PressAt(window, 295, 195), (std::vector<WPARAM>{0xF008}));
  EXPECT_EQ(PressAt(window, 150, 20), (std::vector<WPARAM>{kCaptionPress}));
  EXPECT_TRUE(PressAt(window, 150, 100).empty());
  // Sizing asks for a full repaint afterwards.
  RecordOf(window.hwnd())->needsFullRedraw = false;
  PressAt(window, 2, 50);
  EXPECT_TRUE(RecordOf(window.hwnd())->needsFullRedraw);
}

TEST_F(FrameMessages, FixedSizeWindowMovesFromItsTopEdgeButSizesBelowTheCaption) {
  TestWindow window(300, 200);
  engine->AttachWindow(window.hwnd(), {.captionActive = 1, .sizable = 0});
  window.InterceptMoveAndSize(true);
  EXPECT_EQ(PressAt(window, 150, 2), (std::vector<WPARAM>{kCaptionPress}));
  EXPECT_EQ(PressAt(window, 5, 5), (std::vector<WPARAM>{kCaptionPress}));
  EXPECT_EQ(PressAt(window, 2, 50), (std::vector<WPARAM>{0xF001}));
  EXPECT_EQ(PressAt(window, 150, 198), (std::vector<WPARAM>{0xF006}));
}

TEST_F(FrameMessages, NoMoveOrSizeWhileMaximisedOrInactive) {
  TestWindow window(300, 200);
  engine->AttachWindow(window.hwnd());
  window.InterceptMoveAndSize(true);
  RecordOf(window.hwnd())->maximised = true;
  EXPECT_TRUE(PressAt(window, 150, 20).empty());
  EXPECT_TRUE(PressAt(window, 2, 50).empty());

  TestWindow still(300, 200);
  engine->AttachWindow(still.hwnd(), {.captionActive = 0});
  still.InterceptMoveAndSize(true);
  EXPECT_TRUE(PressAt(still, 150, 20).empty());
  EXPECT_TRUE(PressAt(still, 2, 50).empty());
}

TEST_F(FrameMessages, PressAndReleaseOnACaptionButtonActs) {
  TestWindow window(300, 200, WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  engine->AttachWindow(window.hwnd());
  window.InterceptMoveAndSize(true);
  window.InterceptSysCommands(true);
  const skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  const int closeX = static_cast<int>(r.captionButtons[2].rect.x) + 10;
  EXPECT_TRUE(PressAt(window, closeX, 10).empty());  // the strip is not a move zone
  EXPECT_EQ(r.pressedButton, 3);
  SendMouse(window.hwnd(), WM_LBUTTONUP, closeX, 10);
  EXPECT_EQ(window.SysCommands(), (std::vector<WPARAM>{SC_CLOSE}));

  const int minimizeX = static_cast<int>(r.captionButtons[0].rect.x) + 10;
  PressAt(window, minimizeX, 10);
  SendMouse(window.hwnd(), WM_LBUTTONUP, minimizeX, 10);
  EXPECT_EQ(window.SysCommands(), (std::vector<WPARAM>{SC_MINIMIZE}));
  EXPECT_TRUE(r.minimised);

  // A release with no button pointed at does nothing.
  PressAt(window, 150, 100);
  SendMouse(window.hwnd(), WM_LBUTTONUP, closeX, 10);
  EXPECT_TRUE(window.SysCommands().empty());
}

TEST_F(FrameMessages, DoubleClickOnTheCaptionTogglesMaximise) {
  TestWindow window(300, 200, WS_MAXIMIZEBOX);
  engine->AttachWindow(window.hwnd());
  const skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  const SIZE full = skin::MaximisedSize();

  SendMouse(window.hwnd(), WM_LBUTTONDBLCLK, 100, 30);  // below the caption band
  EXPECT_FALSE(r.maximised);
  SendMouse(window.hwnd(), WM_LBUTTONDBLCLK, 100, 25);
  EXPECT_TRUE(r.maximised);
  EXPECT_TRUE(r.needsFullRedraw);
  RECT rect{};
  GetWindowRect(window.hwnd(), &rect);
  EXPECT_EQ(rect.right - rect.left, full.cx);
  EXPECT_EQ(rect.bottom - rect.top, full.cy);
  SendMouse(window.hwnd(), WM_LBUTTONDBLCLK, 100, 10);
  EXPECT_FALSE(r.maximised);
  GetWindowRect(window.hwnd(), &rect);
  EXPECT_EQ(rect.right - rect.left, 300);
  EXPECT_EQ(rect.bottom - rect.top, 200);
}

TEST_F(FrameMessages, DoubleClickDoesNothingWhenFixedOrWithoutMaximizeButton) {
  TestWindow fixed(300, 200, WS_MAXIMIZEBOX);
  engine->AttachWindow(fixed.hwnd(), {.captionActive = 1, .sizable = 0});
  fixed.InterceptSysCommands(true);
  SendMouse(fixed.hwnd(), WM_LBUTTONDBLCLK, 100, 10);
  EXPECT_TRUE(fixed.SysCommands().empty());
  EXPECT_FALSE(RecordOf(fixed.hwnd())->maximised);

  TestWindow plain(300, 200);
  engine->AttachWindow(plain.hwnd());
  plain.InterceptSysCommands(true);
  SendMouse(plain.hwnd(), WM_LBUTTONDBLCLK, 100, 10);
  EXPECT_TRUE(plain.SysCommands().empty());
}

TEST_F(FrameMessages, MinimisedWindowPaintsNothingOfItsOwn) {
  TestWindow window(300, 200);
  engine->AttachWindow(window.hwnd());
  window.InterceptSysCommands(true);  // the window stays on screen to be looked at
  RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  skin_test::Pump();
  skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  ASSERT_FALSE(r.needsFullRedraw);
  // Mark the back buffer so that a copy to the screen would show.
  constexpr COLORREF kMark = RGB(255, 0, 255);
  for (int x = 100; x < 110; ++x) SetPixel(r.backBuffer.dc(), x, 100, kMark);

  SendMessageA(window.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(r.minimised);
  EXPECT_TRUE(r.needsFullRedraw);
  const auto bitmap = skin::prop::Get(window.hwnd(), skin::prop::Ck_wtjbdx);
  InvalidateRect(window.hwnd(), nullptr, FALSE);
  UpdateWindow(window.hwnd());
  HDC screen = GetDC(window.hwnd());
  EXPECT_NE(GetPixel(screen, 105, 100), kMark);
  ReleaseDC(window.hwnd(), screen);
  EXPECT_TRUE(r.needsFullRedraw);  // still pending: nothing was painted
  EXPECT_EQ(skin::prop::Get(window.hwnd(), skin::prop::Ck_wtjbdx), bitmap);

  // Restored, the next paint is a full one.
  SendMessageA(window.hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(r.minimised);
  InvalidateRect(window.hwnd(), nullptr, FALSE);
  UpdateWindow(window.hwnd());
  EXPECT_FALSE(r.needsFullRedraw);
  EXPECT_NE(skin::prop::Get(window.hwnd(), skin::prop::Ck_wtjbdx), bitmap);
  // An ordinary paint copies the back buffer to the screen.
  for (int x = 100; x < 110; ++x) SetPixel(r.backBuffer.dc(), x, 100, kMark);
  InvalidateRect(window.hwnd(), nullptr, FALSE);
  UpdateWindow(window.hwnd());
  screen = GetDC(window.hwnd());
  EXPECT_EQ(GetPixel(screen, 105, 100), kMark);
  ReleaseDC(window.hwnd(), screen);
}

TEST_F(FrameMessages, HoverFadesThroughTheTimer) {
  // The real pointer must stay off the window, or its own moves would steer the fades.
  SetCursorPos(1000, 740);
  engine->SetSkin(L"", skin_test::SolidPicture(8, 8, RGB(0, 0, 255)), RGB(0, 0, 255));
  TestWindow window(300, 200, WS_MINIMIZEBOX);
  engine->AttachWindow(window.hwnd());
  RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  const int closeX = static_cast<int>(r.captionButtons[1].rect.x) + 12;
  const COLORREF unlit = skin_test::BackBufferPixel(window.hwnd(), closeX, 4);

  SendMouse(window.hwnd(), WM_MOUSEMOVE, closeX, 10);
  EXPECT_EQ(r.hoverButton, 2);
  EXPECT_TRUE(r.fadeTimerOn);
  EXPECT_EQ(r.fadeIn.button, 2);
  SendMessageA(window.hwnd(), WM_MOUSEHOVER, 0, MAKELPARAM(closeX, 10));
  EXPECT_TRUE(r.mouseTracked);
  // The timer really runs: its ticks reach the window. A loaded machine may deliver them late,
  // so wait for the outcome rather than for a fixed time.
  window.ClearSeen();
  const auto pumpUntil = [](auto done) {
    for (int i = 0; i < 150 && !done(); ++i) skin_test::Pump(20);
  };
  pumpUntil([&] { return r.fadeIn.step >= 8; });
  EXPECT_GT(window.Count(WM_TIMER), 0);
  EXPECT_EQ(r.fadeIn.step, 8);
  EXPECT_GT(GetRValue(skin_test::BackBufferPixel(window.hwnd(), closeX, 4)),
            GetRValue(unlit) + 100);

  SendMessageA(window.hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(r.hoverButton, 0);
  EXPECT_EQ(r.fadeOut.button, 2);
  pumpUntil([&] { return !r.fadeTimerOn; });
  EXPECT_FALSE(r.fadeTimerOn);
  EXPECT_EQ(r.fadeOut.button, 0);
  EXPECT_FALSE(KillTimer(window.hwnd(), reinterpret_cast<UINT_PTR>(window.hwnd())));
  EXPECT_EQ(skin_test::BackBufferPixel(window.hwnd(), closeX, 4), unlit);
}

TEST_F(FrameMessages, InactiveCaptionIgnoresHover) {
  TestWindow window(300, 200);
  engine->AttachWindow(window.hwnd(), {.captionActive = 0});
  const skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  SendMouse(window.hwnd(), WM_MOUSEMOVE, static_cast<int>(r.captionButtons[0].rect.x) + 5, 10);
  EXPECT_EQ(r.hoverButton, 0);
  EXPECT_FALSE(r.fadeTimerOn);
}

TEST_F(FrameMessages, MinMaxInfoAndTheMaximiseRule) {
  TestWindow window(300, 200, WS_MAXIMIZEBOX);
  engine->AttachWindow(window.hwnd());
  skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  MINMAXINFO info{};
  info.ptMaxSize = {1234, 567};
  info.ptMaxPosition = {7, 8};
  SendMessageA(window.hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 200);
  EXPECT_EQ(info.ptMinTrackSize.y, 150);
  EXPECT_EQ(info.ptMaxTrackSize.x, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(info.ptMaxTrackSize.y, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(info.ptMaxSize.x, 1234);  // untouched
  EXPECT_EQ(info.ptMaxPosition.y, 8);

  // A taskbar of 40 pixels, unless the display already has one.
  HWND fake = nullptr;
  if (!FindWindowA("Shell_TrayWnd", nullptr)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&wc);
    fake = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP, 0, 700, 1024, 40,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(skin::TaskbarHeight(), 40);
  }
  const int screenW = GetSystemMetrics(SM_CXSCREEN);
  const int screenH = GetSystemMetrics(SM_CYSCREEN);
  r.maximised = true;
  SendMessageA(window.hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMaxTrackSize.x, screenW);
  EXPECT_EQ(info.ptMaxTrackSize.y, screenH - skin::TaskbarHeight());
  r.maximised = false;

  // Growing to exactly the screen makes the window maximised, less the taskbar.
  SetWindowPos(window.hwnd(), nullptr, 0, 0, screenW, screenH, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(r.maximised);
  RECT rect{};
  GetWindowRect(window.hwnd(), &rect);
  EXPECT_EQ(rect.right - rect.left, screenW);
  EXPECT_EQ(rect.bottom - rect.top, screenH - skin::TaskbarHeight());
  if (fake) DestroyWindow(fake);
  EXPECT_EQ(skin::TaskbarHeight(), fake ? 0 : skin::TaskbarHeight());

  // Without a maximize button the rule does not apply.
  TestWindow plain(300, 200);
  engine->AttachWindow(plain.hwnd());
  SetWindowPos(plain.hwnd(), nullptr, 0, 0, screenW, screenH, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_FALSE(RecordOf(plain.hwnd())->maximised);
  GetWindowRect(plain.hwnd(), &rect);
  EXPECT_EQ(rect.bottom - rect.top, screenH);
}

TEST_F(FrameMessages, SizeAndTextChanges) {
  TestWindow window(300, 200);
  engine->AttachWindow(window.hwnd());
  skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  // The first WM_SIZE of the program's run does not ask for a full repaint; later ones do.
  skin_test::engine->frameFirstRun = 1;
  r.needsFullRedraw = true;
  r.hoverButton = 1;
  SetWindowPos(window.hwnd(), nullptr, 0, 0, 320, 210, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(skin_test::engine->frameFirstRun, 0);
  EXPECT_FALSE(r.needsFullRedraw);
  EXPECT_EQ(r.hoverButton, 0);
  SetWindowPos(window.hwnd(), nullptr, 0, 0, 330, 220, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(r.needsFullRedraw);
  // The strip follows the right edge.
  EXPECT_EQ(r.stripX, 330 - r.stripWidth + 1);
  EXPECT_EQ(r.captionButtons[0].rect.x, r.stripX + 2);

  SetWindowTextW(window.hwnd(), L"新标题");
  wchar_t text[32] = {};
  GetWindowTextW(window.hwnd(), text, std::size(text));
  EXPECT_STREQ(text, L"新标题");  // the default path still stores it
  for (UINT code : {SC_MAXIMIZE, SC_RESTORE}) {
    r.needsFullRedraw = false;
    window.InterceptSysCommands(true);
    SendMessageA(window.hwnd(), WM_SYSCOMMAND, code, 0);
    EXPECT_TRUE(r.needsFullRedraw);
  }
  EXPECT_TRUE(r.maximised);  // SC_MAXIMIZE set it; SC_RESTORE leaves it to the restore action
  r.minimised = true;
  SendMessageA(window.hwnd(), WM_QUERYOPEN, 0, 0);
  EXPECT_FALSE(r.minimised);
}

TEST_F(FrameMessages, DestroyReleasesTheRecordAndItsObjects) {
  const int free = skin_test::FreeGdiSlots();
  {
    TestWindow window(300, 200);
    engine->AttachWindow(window.hwnd());
    RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
    const HDC back = r.backBuffer.dc();
    const auto frame = skin::prop::GetAs<HGDIOBJ>(window.hwnd(), skin::prop::Ck_wtjbdx);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(GetObjectType(frame), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_LT(skin_test::FreeGdiSlots(), free);
    const HWND tip = r.tooltip.GetWindow();
    window.Destroy();
    EXPECT_EQ(skin_test::FreeGdiSlots(), free);
    EXPECT_EQ(GetObjectType(back), 0u);
    EXPECT_FALSE(IsWindow(tip));
  }
}

// A window that goes while the frame is shaped (its move is the first thing the shaping sends)
// leaves no region behind.
LRESULT CALLBACK GoneOnMove(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto next = reinterpret_cast<WNDPROC>(GetPropA(hwnd, "Test_Next"));
  if (message == WM_WINDOWPOSCHANGING && GetPropA(hwnd, "Test_Go")) {
    RemovePropA(hwnd, "Test_Go");
    DestroyWindow(hwnd);
    return 0;
  }
  if (message == WM_NCDESTROY) RemovePropA(hwnd, "Test_Next");
  return CallWindowProcA(next, hwnd, message, wParam, lParam);
}

TEST_F(FrameMessages, AWindowGoneWhileItsFrameIsShapedLeavesNoRegion) {
  const int free = skin_test::FreeGdiSlots();
  TestWindow window(300, 200);
  engine->AttachWindow(window.hwnd());
  RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  SetPropA(window.hwnd(), "Test_Next",
           reinterpret_cast<HANDLE>(SetWindowLongPtrA(window.hwnd(), GWLP_WNDPROC,
                                                      reinterpret_cast<LONG_PTR>(GoneOnMove))));
  SetPropA(window.hwnd(), "Test_Go", reinterpret_cast<HANDLE>(1));
  engine->PaintFrame(skin_test::engine->RecordIndexOf(window.hwnd()), nullptr);
  EXPECT_FALSE(IsWindow(window.hwnd()));
  EXPECT_EQ(skin_test::FreeGdiSlots(), free);
}

}  // namespace

namespace {

RECT RegionBox(HWND hwnd) {
  RECT box{};
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(hwnd, region) != ERROR) GetRgnBox(region, &box);
  DeleteObject(region);
  return box;
}

TEST_F(FrameMessages, MaximiseAndRestoreRepaintTheFrameAtTheNewSize) {
  TestWindow window(300, 200, WS_MAXIMIZEBOX);
  engine->AttachWindow(window.hwnd());
  RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  skin_test::Pump(100);
  EXPECT_EQ(RegionBox(window.hwnd()).right, 300);
  const int32_t index = skin_test::IndexOf(window.hwnd());
  engine->OnCaptionButton(index, skin::FindMaximizeButton(*RecordOf(window.hwnd())));
  skin_test::Pump(300);
  const SIZE full = skin::MaximisedSize();
  RECT client{};
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(client.right, full.cx);
  EXPECT_EQ(client.bottom, full.cy);
  const skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  EXPECT_EQ(r.backBuffer.width(), full.cx);
  EXPECT_EQ(r.backBuffer.height(), full.cy);
  EXPECT_EQ(RegionBox(window.hwnd()).right, full.cx);
  EXPECT_EQ(RegionBox(window.hwnd()).bottom, full.cy);
  EXPECT_FALSE(r.needsFullRedraw);

  engine->OnCaptionButton(index, skin::FindMaximizeButton(r));
  skin_test::Pump(300);
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(r.backBuffer.width(), 300);
  EXPECT_EQ(RegionBox(window.hwnd()).right, 300);
  EXPECT_EQ(RegionBox(window.hwnd()).bottom, 200);
  EXPECT_EQ(r.captionButtons.back().rect.x, r.stripX + 29);
  EXPECT_EQ(r.stripX, 300 - r.stripWidth + 1);
}

}  // namespace

namespace {

// The application starts its panel drag only for presses the frame does not take; the query it
// asks must agree with what the frame really does with a press, everywhere on the window.
TEST_F(FrameMessages, FrameTakesPressAgreesWithWhatAPressDoes) {
  TestWindow window(300, 200, WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  engine->AttachWindow(window.hwnd());
  window.InterceptMoveAndSize(true);
  const skin::WindowSkinRecord* record = RecordOf(window.hwnd());
  int taken = 0, free = 0;
  for (int y = 0; y < 200; y += 3) {
    for (int x = 0; x < 300; x += 7) {
      const bool frameActs =
          !PressAt(window, x, y).empty() || skin::HitTestCaptionButton(*record, x, y) > 0;
      EXPECT_EQ(skin::FrameTakesPress(window.hwnd(), x, y), frameActs) << x << "," << y;
      (frameActs ? taken : free)++;
    }
  }
  EXPECT_GT(taken, 100);
  EXPECT_GT(free, 1000);
  RecordOf(window.hwnd())->maximised = true;
  EXPECT_FALSE(skin::FrameTakesPress(window.hwnd(), 150, 20));
  EXPECT_FALSE(skin::FrameTakesPress(window.hwnd(), 2, 50));

  TestWindow plain(300, 200);
  EXPECT_FALSE(skin::FrameTakesPress(plain.hwnd(), 150, 20));
}

// At a small size the panel covers every edge: a press or move on a control lying over a sizing
// zone reaches the frame as its own, and one elsewhere stays with the control.
TEST_F(FrameMessages, EdgeMouseOverAControlIsTheFrames) {
  TestWindow window(200, 150, WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  engine->AttachWindow(window.hwnd());
  window.InterceptMoveAndSize(true);
  HWND cover = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, -10, -10, 400, 300,
                               window.hwnd(), nullptr, nullptr, nullptr);
  const auto route = [&](UINT message, int x, int y) {
    MSG msg{cover, message, MK_LBUTTON, MAKELPARAM(x + 10, y + 10)};
    const bool routed = skin::RouteEdgeMouseToFrame(msg);
    EXPECT_EQ(routed, msg.hwnd == window.hwnd());
    if (routed) {
      EXPECT_EQ(static_cast<short>(LOWORD(msg.lParam)), x);
      EXPECT_EQ(static_cast<short>(HIWORD(msg.lParam)), y);
    }
    return routed;
  };
  const POINT edges[] = {{1, 75}, {198, 75}, {100, 1}, {100, 148},
                         {2, 2},  {197, 2},  {2, 147}, {197, 147}};
  for (const POINT& p : edges) {
    EXPECT_TRUE(route(WM_LBUTTONDOWN, p.x, p.y)) << p.x << "," << p.y;
    EXPECT_TRUE(route(WM_MOUSEMOVE, p.x, p.y)) << p.x << "," << p.y;
    // And the frame takes the routed press as the size it starts there.
    EXPECT_EQ(PressAt(window, p.x, p.y).size(), 1u) << p.x << "," << p.y;
    // A press on a caption button holds the capture until its release, which never comes here.
    ReleaseCapture();
  }
  EXPECT_FALSE(route(WM_LBUTTONDOWN, 100, 75));
  EXPECT_FALSE(route(WM_RBUTTONDOWN, 1, 75));
  RecordOf(window.hwnd())->maximised = true;
  EXPECT_FALSE(route(WM_LBUTTONDOWN, 1, 75));
  DestroyWindow(cover);
}

}  // namespace
