// The play list's pauses keep the thread's messages flowing and end early for a WM_QUIT.
#include "catalogue/pumping_wait.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

namespace {

int g_ticks = 0;
int g_quitAfterTicks = -1;

void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) {
  if (++g_ticks == g_quitAfterTicks) PostQuitMessage(5);
}

// The quit is still what the message loop sees next, with its code.
void ExpectQuitWaiting(WPARAM code) {
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, code);
}

TEST(WaitProcessingMessages, LastsItsTimeWhileTimersKeepFiring) {
  g_ticks = 0;
  g_quitAfterTicks = -1;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, CountTick);
  const DWORD start = GetTickCount();
  EXPECT_TRUE(catalogue::WaitProcessingMessages(300));
  const DWORD elapsed = GetTickCount() - start;
  KillTimer(nullptr, timer);
  EXPECT_GE(elapsed, 290u);  // the tick count's granularity
  EXPECT_GE(g_ticks, 3);
}

TEST(WaitProcessingMessages, AQuitAlreadyWaitingEndsItAndStaysQueued) {
  PostQuitMessage(9);
  const DWORD start = GetTickCount();
  EXPECT_FALSE(catalogue::WaitProcessingMessages(20000));
  EXPECT_LT(GetTickCount() - start, 10000u);
  ExpectQuitWaiting(9);
}

TEST(WaitProcessingMessages, AQuitPostedMeanwhileEndsItAndStaysQueued) {
  g_ticks = 0;
  g_quitAfterTicks = 2;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, CountTick);
  const DWORD start = GetTickCount();
  EXPECT_FALSE(catalogue::WaitProcessingMessages(20000));
  EXPECT_LT(GetTickCount() - start, 10000u);
  KillTimer(nullptr, timer);
  EXPECT_EQ(g_ticks, 2);
  ExpectQuitWaiting(5);
}

}  // namespace

namespace {

using catalogue::WaitForObjectProcessingMessages;
using catalogue::WaitOutcome;

TEST(WaitForObjectProcessingMessages, EndsWhenSignalledAtTheTimeOrAtAQuit) {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  // Ticks keep arriving meanwhile and are dispatched.
  g_ticks = 0;
  g_quitAfterTicks = -1;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, CountTick);
  DWORD start = GetTickCount();
  EXPECT_EQ(WaitForObjectProcessingMessages(event, 300), WaitOutcome::kTimedOut);
  EXPECT_GE(GetTickCount() - start + 10, 300u);
  EXPECT_GE(g_ticks, 3);

  std::thread setter([event] {
    Sleep(200);
    SetEvent(event);
  });
  start = GetTickCount();
  EXPECT_EQ(WaitForObjectProcessingMessages(event, 20000), WaitOutcome::kSignalled);
  EXPECT_LT(GetTickCount() - start, 5000u);
  setter.join();

  ResetEvent(event);
  g_quitAfterTicks = g_ticks + 2;
  start = GetTickCount();
  EXPECT_EQ(WaitForObjectProcessingMessages(event, 20000), WaitOutcome::kQuit);
  EXPECT_LT(GetTickCount() - start, 5000u);
  KillTimer(nullptr, timer);
  ExpectQuitWaiting(5);
  CloseHandle(event);
}

}  // namespace
