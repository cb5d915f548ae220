#include "tools/empty/process_table.h"

#include <cstring>

#include "tools/empty/pattern_match.h"

namespace empty_tool {

bool ProcessTable::Add(DWORD processId, const std::string& imageName) {
  if (count_ >= kMaxProcesses) return false;
  ProcessEntry& entry = entries_[count_++];
  entry = ProcessEntry{};
  entry.processId = processId;
  CopyName(entry.imageName, imageName.empty() ? std::string(kNamelessProcess) : imageName);
  return true;
}

ProcessEntry* ProcessTable::Find(DWORD processId) {
  for (int i = 0; i < count_; ++i) {
    if (entries_[i].processId == processId) return &entries_[i];
  }
  return nullptr;
}

void CopyName(char (&to)[kMaxNameLength + 1], const std::string& from) {
  size_t n = 0;
  while (n < from.size() && n < kMaxNameLength && from[n]) {
    const size_t step = IsDBCSLeadByte(static_cast<BYTE>(from[n])) ? 2 : 1;
    if (n + step > kMaxNameLength || n + step > from.size()) break;
    n += step;
  }
  std::memcpy(to, from.data(), n);
  to[n] = '\0';
}

bool WantsWindow(const ProcessEntry& entry, bool visible) { return visible || !entry.window; }

void RecordWindow(ProcessEntry& entry, HWND window, const std::string& title) {
  entry.window = window;
  CopyName(entry.windowTitle, title);
}

std::string NameWithoutExtension(const char* imageName) {
  const char* dot = std::strchr(imageName, '.');
  return dot ? std::string(imageName, dot) : std::string(imageName);
}

bool ProcessMatches(const std::string& pattern, const ProcessEntry& entry) {
  return MatchesPattern(pattern, NameWithoutExtension(entry.imageName)) ||
         MatchesPattern(pattern, entry.imageName) || MatchesPattern(pattern, entry.windowTitle);
}

}  // namespace empty_tool
