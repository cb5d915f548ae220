// Starts the real player and watches it from this process: windows, captions, rectangles,
// list items and message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/announcements.h"

namespace testing_support {

// The tests' narrow texts are UTF-8 (their literals): wide text from the player becomes UTF-8,
// and a UTF-8 text or path goes to the W calls as UTF-16.
std::string ToUtf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);

std::string WindowText(HWND window);
std::string ClassName(HWND window);
std::vector<std::string> ListBoxItems(HWND list);
// One item (empty outside the list); cheaper than all of them for a long list.
std::string ListBoxItem(HWND list, int index);
RECT WindowRectOf(HWND window);
// The child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);
// What the screen shows at that point of the window's client area.
COLORREF ScreenPixel(HWND window, int x, int y);
// The threads this process has now.
int ThreadsOfThisProcess();

// Polls `condition` every 20 ms until it holds or the time runs out; true when it held.
template <typename F>
bool WaitFor(F condition, DWORD timeoutMs = 15000) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
}

class PlayerProcess {
 public:
  // Starts folder\player.exe with the folder as its current directory unless another is given,
  // with the arguments (UTF-8, quoted as a command line) after its name.
  explicit PlayerProcess(const std::string& folder, const std::string& currentDir = "",
                         const std::string& arguments = "");
  ~PlayerProcess();  // ends the process if it still runs
  PlayerProcess(const PlayerProcess&) = delete;
  PlayerProcess& operator=(const PlayerProcess&) = delete;

  bool started() const { return process_ != nullptr; }
  // What this player has announced since it started.
  const Announcements& events() const { return events_; }
  DWORD pid() const { return pid_; }
  // A top-level window of the process with that class (visible ones only when asked).
  HWND FindWindowOfClass(const char* cls, bool visibleOnly = false) const;
  HWND WaitForWindow(const char* cls, bool visibleOnly = true, DWORD timeoutMs = 15000) const;
  // The main window, once it is visible.
  HWND WaitForMainWindow(DWORD timeoutMs = 20000) const;
  // The text of a message box of the process, once one is up; empty when none came.
  std::string WaitForMessageBox(DWORD timeoutMs = 15000, HWND* box = nullptr) const;
  // Waits for the end of the process; its exit code, or -1 on a time-out.
  long WaitForExit(DWORD timeoutMs = 15000) const;
  // Asks the main window to close.
  void Close() const;

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  Announcements events_;
};

// Answers the process's open or save dialog with the full path, once it is up; the name the
// dialog suggested goes to `suggested`. True when the dialog took the answer and closed.
bool AnswerFileDialog(const PlayerProcess& process, const std::string& path,
                      std::string* suggested = nullptr);

// A named child of the player's group box, found by its caption or class.
HWND FindChild(HWND parent, const char* cls, const char* caption = nullptr);

}  // namespace testing_support
