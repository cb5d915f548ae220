#include "app/startup_log.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace app {
namespace {

double FiletimeMs(const FILETIME& t) {
  ULARGE_INTEGER v;
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  return static_cast<double>(v.QuadPart) / 10000.0;
}

// The log file's path, or empty when no log was asked for; read once.
const std::wstring& LogPath() {
  static const std::wstring path = [] {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"VELORY_STARTUP_LOG", buffer,
                                            static_cast<DWORD>(std::size(buffer)));
    return n > 0 && n < std::size(buffer) ? std::wstring(buffer, n) : std::wstring();
  }();
  return path;
}

}  // namespace

void LogStartupStep(const char* step) {
  if (LogPath().empty()) return;
  FILETIME created, exited, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
  GetSystemTimeAsFileTime(&now);
  const double sinceStart = FiletimeMs(now) - FiletimeMs(created);
  static double last = 0;
  if (FILE* f = _wfopen(LogPath().c_str(), L"a")) {
    std::fprintf(f, "%.1f\t%.1f\t%s\n", sinceStart, sinceStart - last, step);
    std::fclose(f);
  }
  last = sinceStart;
}

}  // namespace app
