#include "catalogue/pumping_wait.h"

#include "catalogue/message_pump.h"

namespace catalogue {

bool QuitPending() {
  MSG msg;
  return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

bool WaitProcessingMessages(unsigned ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    ProcessPendingMessages();
    if (QuitPending()) return false;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return true;
    MsgWaitForMultipleObjectsEx(0, nullptr, ms - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

WaitOutcome WaitForObjectProcessingMessages(HANDLE object, unsigned ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    ProcessPendingMessages();
    if (QuitPending()) return WaitOutcome::kQuit;
    if (WaitForSingleObject(object, 0) == WAIT_OBJECT_0) return WaitOutcome::kSignalled;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return WaitOutcome::kTimedOut;
    MsgWaitForMultipleObjectsEx(1, &object, ms - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

}  // namespace catalogue
