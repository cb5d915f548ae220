// A caption button acts only for a press and a release on that button of one window, with the
// real mouse: the press takes the capture, so the release reaches the window it went down on.
#include <gtest/gtest.h>

#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin_test::RecordOf;
using skin_test::TestWindow;

int g_actions = 0;
void CALLBACK CountAction() { ++g_actions; }

POINT ButtonCentre(HWND window) {
  const skin::CaptionButton& b = RecordOf(window)->captionButtons[0];
  POINT p{static_cast<LONG>(b.rect.x + b.rect.width / 2),
          static_cast<LONG>(b.rect.y + b.rect.height / 2)};
  ClientToScreen(window, &p);
  return p;
}

void Mouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
}

// Handles messages until one of the windows has been handed that mouse message.
bool PumpUntilSeen(UINT message, TestWindow& a, TestWindow& b) {
  const DWORD start = GetTickCount();
  while (a.Count(message) + b.Count(message) == 0) {
    if (GetTickCount() - start > 5000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    skin_test::Pump();
  }
  return true;
}

TEST(CaptionCapture, APressOnOneWindowReleasedOverAnotherActsOnNeither) {
  skin_test::ResetSkinSettings();
  skin::SkinEngine* engine = skin_test::engine;
  TestWindow a(300, 200, 0, true, 40, 40);
  TestWindow b(300, 200, 0, true, 400, 40);
  for (HWND w : {a.hwnd(), b.hwnd()}) {
    engine->AttachWindow(w);
    ASSERT_EQ(engine->AddCaptionButton(w, {}, L"count", CountAction), 2);
  }
  skin_test::Pump();

  // A press and release on one window's button acts once: the button and the input work. (On B:
  // a second press at the same place would be a double-click.)
  g_actions = 0;
  const POINT onB = ButtonCentre(b.hwnd());
  SetCursorPos(onB.x, onB.y);
  Mouse(MOUSEEVENTF_LEFTDOWN);
  Mouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntilSeen(WM_LBUTTONUP, a, b));
  EXPECT_EQ(g_actions, 1);

  g_actions = 0;
  a.ClearSeen();
  b.ClearSeen();
  const POINT onA = ButtonCentre(a.hwnd());
  SetCursorPos(onA.x, onA.y);
  Mouse(MOUSEEVENTF_LEFTDOWN);
  // The press is taken (and the capture with it) before the pointer moves on.
  ASSERT_TRUE(PumpUntilSeen(WM_LBUTTONDOWN, a, b));
  ASSERT_EQ(a.Count(WM_LBUTTONDOWN), 1);
  SetCursorPos(onB.x, onB.y);
  Mouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntilSeen(WM_LBUTTONUP, a, b));
  EXPECT_EQ(a.Count(WM_LBUTTONUP), 1);  // the capture brought the release to the pressed window
  EXPECT_EQ(b.Count(WM_LBUTTONUP), 0);
  EXPECT_EQ(g_actions, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(RecordOf(a.hwnd())->pressedButton, 0);
  SetCursorPos(1000, 740);
}

}  // namespace
