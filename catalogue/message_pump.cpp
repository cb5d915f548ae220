#include "catalogue/message_pump.h"

#include <windows.h>

namespace catalogue {
namespace {

MessageFilter g_filter = nullptr;

}  // namespace

void SetMessageFilter(MessageFilter filter) { g_filter = filter; }

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Put it back for the real message loop and stop pumping: the program is ending.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (g_filter && g_filter(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpInterval::Due(double nowMs) {
  if (started_ && nowMs - lastMs_ < intervalMs_) return false;
  started_ = true;
  lastMs_ = nowMs;
  return true;
}

void ProcessPendingMessagesEveryFewMs() {
  // Short enough that input and paints never wait visibly.
  static PumpInterval interval(5.0);
  // The tick count is read from memory the system keeps current; a performance counter read
  // costs about as much as a pass of the loop under Wine.
  if (interval.Due(static_cast<double>(GetTickCount64()))) ProcessPendingMessages();
}

}  // namespace catalogue
