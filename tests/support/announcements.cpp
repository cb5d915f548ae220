#include "tests/support/announcements.h"

#include "tests/support/observe.h"

namespace testing_support {

const std::vector<std::string>& Announcements::Lines() const {
  HANDLE file = CreateFileW(Wide(path_).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines_;
  std::string added;
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(readUpTo_);
  if (SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) {
    char buffer[16384];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
      added.append(buffer, got);
  }
  CloseHandle(file);
  // A line still being written has no end yet: it is read again next time.
  for (size_t start = 0, end; (end = added.find('\n', start)) != std::string::npos;
       start = end + 1) {
    const std::string line = added.substr(start, end - start);
    const size_t space = line.find(' ');
    lines_.push_back(space == std::string::npos ? line : line.substr(space + 1));
    readUpTo_ += end + 1 - start;
  }
  return lines_;
}

int Announcements::WaitFor(const std::string& prefix, size_t from, DWORD timeoutMs) const {
  return WaitFor(
      [&](const std::string& line) { return line.compare(0, prefix.size(), prefix) == 0; }, from,
      timeoutMs);
}

int Announcements::WaitFor(const std::function<bool(const std::string&)>& wanted, size_t from,
                           DWORD timeoutMs) const {
  int found = -1;
  testing_support::WaitFor(
      [&] {
        const std::vector<std::string>& lines = Lines();
        for (size_t i = from; i < lines.size(); ++i) {
          if (wanted(lines[i])) {
            found = static_cast<int>(i);
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

int Announcements::CountOf(const std::string& prefix, size_t from, size_t to) const {
  const std::vector<std::string>& lines = Lines();
  int n = 0;
  for (size_t i = from; i < lines.size() && i < to; ++i) {
    if (lines[i].compare(0, prefix.size(), prefix) == 0) ++n;
  }
  return n;
}

std::string Announcements::Dump(size_t from) const {
  std::string all;
  const std::vector<std::string>& lines = Lines();
  for (size_t i = from; i < lines.size(); ++i) all += lines[i] + " | ";
  return all;
}

}  // namespace testing_support
