// The pump used while the GUI thread is busy: it dispatches what waits and never eats WM_QUIT.
// Thread messages and a thread timer stand in for a window, so no window is needed.
#include "catalogue/message_pump.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

int g_ticks = 0;

void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }

// A filtered peek still reports a pending WM_QUIT, so the message itself is compared.
bool QueueHolds(UINT message) {
  MSG msg;
  return PeekMessageA(&msg, nullptr, message, message, PM_NOREMOVE) && msg.message == message;
}

TEST(MessagePump, DispatchesEveryPendingMessageAndReturnsWhenTheQueueIsEmpty) {
  g_ticks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, CountTick);
  ASSERT_NE(timer, 0u);
  for (int i = 0; i < 3; ++i) PostThreadMessageA(GetCurrentThreadId(), WM_APP + 7, 0, 0);
  Sleep(50);  // the timer is due
  catalogue::ProcessPendingMessages();
  KillTimer(nullptr, timer);
  EXPECT_EQ(g_ticks, 1);  // dispatched: the tick reached its procedure
  EXPECT_FALSE(QueueHolds(WM_APP + 7));
  catalogue::ProcessPendingMessages();  // nothing waits: returns at once
  EXPECT_EQ(g_ticks, 1);
}

TEST(MessagePump, AQuitTakenOutOfTheQueueIsPostedBackWithItsExitCode) {
  PostThreadMessageA(GetCurrentThreadId(), WM_APP + 7, 0, 0);
  PostQuitMessage(7);
  catalogue::ProcessPendingMessages();
  EXPECT_FALSE(QueueHolds(WM_APP + 7));  // what came before the quit was handled
  catalogue::ProcessPendingMessages();   // a second pass must not lose the quit either

  // The quit is what the message loop sees next, with its code.
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST(MessagePump, AnIntervalIsDueFirstAndThenOnceItsTimeHasPassedSinceTheLastDueCall) {
  catalogue::PumpInterval interval(5.0);
  const struct {
    double now;
    bool due;
  } steps[] = {{100, true},  {100, false}, {104.9, false}, {105, true},
               {106, false}, {200, true},  {204, false},   {205.5, true}};
  for (const auto& step : steps) EXPECT_EQ(interval.Due(step.now), step.due) << step.now;
}

TEST(MessagePump, ThePumpForLongLoopsStillDispatchesWhatWaits) {
  // No other test calls it, so this first call of the process is due.
  PostThreadMessageA(GetCurrentThreadId(), WM_APP + 8, 0, 0);
  catalogue::ProcessPendingMessagesEveryFewMs();
  EXPECT_FALSE(QueueHolds(WM_APP + 8));
}

}  // namespace
