#include "app/announcer.h"

#include <cstdio>

#include "app/application.h"

namespace app {

Announcer::Announcer(const wchar_t* variable) {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(variable, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  // Append-only writes: each line lands whole at the end, whichever thread writes it, and the
  // test may read the file meanwhile.
  file_.reset(CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

Announcer::~Announcer() = default;

void Announcer::AppendWide(std::string& text, const wchar_t* part) {
  if (!part || !*part) return;
  const int n = WideCharToMultiByte(CP_UTF8, 0, part, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return;
  const size_t at = text.size();
  text.resize(at + static_cast<size_t>(n));
  WideCharToMultiByte(CP_UTF8, 0, part, -1, text.data() + at, n, nullptr, nullptr);
  text.resize(at + static_cast<size_t>(n) - 1);
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
  WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

Announcement Announce() { return Announcement(HasApp() ? &App().announcer : nullptr); }

}  // namespace app
