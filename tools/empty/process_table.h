// The processes a task-name pattern is tried against: id, image name and one window title each.
#pragma once

#include <windows.h>

#include <string>

namespace empty_tool {

constexpr int kMaxProcesses = 1024;
constexpr size_t kMaxNameLength = 127;
constexpr char kNamelessProcess[] = "System Process";

struct ProcessEntry {
  DWORD processId = 0;
  HWND window = nullptr;
  char imageName[kMaxNameLength + 1] = {};
  char windowTitle[kMaxNameLength + 1] = {};
};

class ProcessTable {
 public:
  // False once the table is full. An empty name stands for the process without one.
  bool Add(DWORD processId, const std::string& imageName);
  ProcessEntry* Find(DWORD processId);
  int count() const { return count_; }
  const ProcessEntry& operator[](int i) const { return entries_[i]; }

 private:
  int count_ = 0;
  ProcessEntry entries_[kMaxProcesses];
};

// Copies at most kMaxNameLength bytes, never half of a double-byte character.
void CopyName(char (&to)[kMaxNameLength + 1], const std::string& from);

// A visible window replaces the one recorded; a hidden one is kept only while none is.
bool WantsWindow(const ProcessEntry& entry, bool visible);
void RecordWindow(ProcessEntry& entry, HWND window, const std::string& title);

// The image name up to its first ".", e.g. "NOTEPAD" for "notepad.exe".
std::string NameWithoutExtension(const char* imageName);

// The pattern matches the name without extension, the full image name or the window title.
bool ProcessMatches(const std::string& pattern, const ProcessEntry& entry);

}  // namespace empty_tool
