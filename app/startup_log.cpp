#include "app/startup_log.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "app/announcer.h"

namespace app {
namespace {

double FiletimeMs(const FILETIME& t) {
  ULARGE_INTEGER v;
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  return static_cast<double>(v.QuadPart) / 10000.0;
}

// The log file's path, or empty when no log was asked for; read once.
const std::string& LogPath() {
  static const std::string path = [] {
    char buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA("VELORY_STARTUP_LOG", buffer, sizeof(buffer));
    return n > 0 && n < sizeof(buffer) ? std::string(buffer, n) : std::string();
  }();
  return path;
}

}  // namespace

void LogStartupStep(const char* step) {
  Announce().Say("step ", step);
  if (LogPath().empty()) return;
  FILETIME created, exited, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
  GetSystemTimeAsFileTime(&now);
  const double sinceStart = FiletimeMs(now) - FiletimeMs(created);
  static double last = 0;
  if (FILE* f = std::fopen(LogPath().c_str(), "a")) {
    std::fprintf(f, "%.1f\t%.1f\t%s\n", sinceStart, sinceStart - last, step);
    std::fclose(f);
  }
  last = sinceStart;
}

}  // namespace app
