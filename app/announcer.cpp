#include "app/announcer.h"

#include <cstdio>

namespace app {

Announcer::Announcer(const char* variable) {
  char path[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableA(variable, path, sizeof(path));
  if (n == 0 || n >= sizeof(path)) return;
  // Append-only writes: each line lands whole at the end, whichever thread writes it, and the
  // test may read the file meanwhile.
  file_ = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

Announcer::~Announcer() {
  if (on()) CloseHandle(file_);
}

void Announcer::Write(const std::string& text) const {
  FILETIME created, exited, kernel, user, now;
  double ms = 0;
  if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
      return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                 t.dwLowDateTime);
    };
    ms = (ticks(now) - ticks(created)) / 10000.0;
  }
  char stamp[32];
  std::snprintf(stamp, sizeof(stamp), "%.1f ", ms);
  std::string line = stamp;
  for (const char c : text) {
    if (c == '\n') {
      line += "\\n";
    } else if (c == '\r') {
      line += "\\r";
    } else {
      line += c;
    }
  }
  line += '\n';
  DWORD written = 0;
  WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

const Announcer& Announce() {
  static const Announcer announcer("VELORY_EVENT_LOG");
  return announcer;
}

}  // namespace app
