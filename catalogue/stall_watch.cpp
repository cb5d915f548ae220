#include "catalogue/stall_watch.h"

#include <windows.h>

#include <cwchar>

namespace catalogue {

bool StallWatch::Going(uint64_t nowMs, uint64_t received) {
  if (!started_) {
    started_ = true;
    since_ = nowMs;
    receivedThen_ = 0;
  }
  if (nowMs - since_ < periodMs_) return true;
  if (received - receivedThen_ < minBytes_) return false;
  since_ = nowMs;
  receivedThen_ = received;
  return true;
}

uint64_t StallPeriodMs() {
  wchar_t text[32] = {};
  const DWORD n = GetEnvironmentVariableW(L"VELORY_STALL_MS", text, 32);
  if (n == 0 || n >= 32) return kStallPeriodMs;
  const unsigned long ms = std::wcstoul(text, nullptr, 10);
  return ms > 0 ? ms : kStallPeriodMs;
}

}  // namespace catalogue
