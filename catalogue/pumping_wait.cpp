#include "catalogue/pumping_wait.h"

#include <windows.h>

#include "catalogue/message_pump.h"

namespace catalogue {
namespace {

bool QuitPending() {
  MSG msg;
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

}  // namespace

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

}  // namespace catalogue
