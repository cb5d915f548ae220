// The pump used while the GUI thread is busy: it dispatches what waits and never eats WM_QUIT.
#include "catalogue/message_pump.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

int g_dispatched = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP + 7) {
    ++g_dispatched;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeCountingWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "PumpTestWindow";
  RegisterClassA(&wc);
  return CreateWindowA("PumpTestWindow", "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                       wc.hInstance, nullptr);
}

TEST(MessagePump, DispatchesEveryPendingMessageAndReturnsWhenTheQueueIsEmpty) {
  HWND window = MakeCountingWindow();
  ASSERT_NE(window, nullptr);
  g_dispatched = 0;
  for (int i = 0; i < 3; ++i) PostMessageA(window, WM_APP + 7, 0, 0);
  catalogue::ProcessPendingMessages();
  EXPECT_EQ(g_dispatched, 3);
  catalogue::ProcessPendingMessages();  // nothing waits: returns at once
  EXPECT_EQ(g_dispatched, 3);
  DestroyWindow(window);
}

TEST(MessagePump, AQuitTakenOutOfTheQueueIsPostedBackWithItsExitCode) {
  HWND window = MakeCountingWindow();
  ASSERT_NE(window, nullptr);
  g_dispatched = 0;
  PostQuitMessage(7);
  PostMessageA(window, WM_APP + 7, 0, 0);
  catalogue::ProcessPendingMessages();
  catalogue::ProcessPendingMessages();  // a second pass must not lose it either
  EXPECT_EQ(g_dispatched, 1);

  MSG msg{};
  // The quit is what the message loop sees next, with its code.
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  DestroyWindow(window);
}

}  // namespace
