#include "tests/support/observe.h"

#include <tlhelp32.h>

namespace testing_support {

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string WindowText(HWND window) {
  const int n = GetWindowTextLengthW(window);
  std::wstring text(n + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), n + 1);
  text.resize(got > 0 ? got : 0);
  return ToUtf8(text);
}

int ThreadsOfThisProcess() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

std::string ListBoxItem(HWND list, int index) {
  const LRESULT len = SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (len < 0) return {};
  std::wstring text(len + 1, L'\0');
  const LRESULT got = SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? got : 0);
  return ToUtf8(text);
}

std::vector<std::string> ListBoxItems(HWND list) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) items.push_back(ListBoxItem(list, static_cast<int>(i)));
  return items;
}

RECT WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

RECT ChildRect(HWND child) {
  RECT r = WindowRectOf(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

namespace {

// A fresh, empty file for a player's announcements, in the temporary folder.
std::string NewEventLogPath() {
  wchar_t temp[MAX_PATH + 1] = {}, path[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  return GetTempFileNameW(temp, L"vev", 0, path) ? ToUtf8(path) : "";
}

}  // namespace

PlayerProcess::PlayerProcess(const std::string& folder, const std::string& currentDir,
                             const std::string& arguments)
    : events_(NewEventLogPath()) {
  std::wstring command =
      Wide("\"" + folder + "\\player.exe\"" + (arguments.empty() ? "" : " " + arguments));
  const std::wstring cwd = Wide(currentDir.empty() ? folder : currentDir);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  SetEnvironmentVariableW(L"VELORY_EVENT_LOG", Wide(events_.path()).c_str());
  const BOOL created = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      cwd.c_str(), &si, &pi);
  SetEnvironmentVariableW(L"VELORY_EVENT_LOG", nullptr);
  if (created) {
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
  }
}

PlayerProcess::~PlayerProcess() {
  if (!process_) {
    DeleteFileA(events_.path().c_str());
    return;
  }
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
  DeleteFileA(events_.path().c_str());
}

namespace {

struct FindState {
  DWORD pid;
  const char* cls;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK FindWindowProc(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<FindState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != s->pid || ClassName(window) != s->cls) return TRUE;
  if (s->visibleOnly && !IsWindowVisible(window)) return TRUE;
  s->found = window;
  return FALSE;
}

}  // namespace

HWND PlayerProcess::FindWindowOfClass(const char* cls, bool visibleOnly) const {
  FindState s{pid_, cls, visibleOnly, nullptr};
  EnumWindows(FindWindowProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND PlayerProcess::WaitForWindow(const char* cls, bool visibleOnly, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindWindowOfClass(cls, visibleOnly)) != nullptr; }, timeoutMs);
  return found;
}

HWND PlayerProcess::WaitForMainWindow(DWORD timeoutMs) const {
  return WaitForWindow("PlayerWindow", true, timeoutMs);
}

std::string PlayerProcess::WaitForMessageBox(DWORD timeoutMs, HWND* boxOut) const {
  HWND box = WaitForWindow("#32770", true, timeoutMs);
  if (boxOut) *boxOut = box;
  if (!box) return {};
  // The text is the static child that is not the icon; take the longest text among them.
  std::string text;
  for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child;
       child = FindWindowExA(box, child, "Static", nullptr)) {
    const std::string t = WindowText(child);
    if (t.size() > text.size()) text = t;
  }
  return text;
}

long PlayerProcess::WaitForExit(DWORD timeoutMs) const {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<long>(code);
}

void PlayerProcess::Close() const {
  if (HWND main = FindWindowOfClass("PlayerWindow")) PostMessageA(main, WM_CLOSE, 0, 0);
}

namespace {

BOOL CALLBACK FirstEdit(HWND child, LPARAM found) {
  if (ClassName(child) != "Edit") return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

}  // namespace

bool AnswerFileDialog(const PlayerProcess& process, const std::string& path,
                      std::string* suggested) {
  HWND dialog = nullptr;
  // The message boxes share the class; the file dialog is the one with a file name box.
  if (!WaitFor(
          [&] {
            dialog = process.FindWindowOfClass("#32770", true);
            return dialog && GetDlgItem(dialog, 0x47c);  // the file name combo box
          },
          10000)) {
    return false;
  }
  HWND name = nullptr;
  EnumChildWindows(GetDlgItem(dialog, 0x47c), FirstEdit, reinterpret_cast<LPARAM>(&name));
  if (!name) return false;
  if (suggested) {
    wchar_t text[MAX_PATH] = {};
    SendMessageW(name, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text));
    *suggested = ToUtf8(text);
  }
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(path).c_str()));
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  return WaitFor([&] { return !IsWindow(dialog); }, 10000);
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

HWND FindChild(HWND parent, const char* cls, const char* caption) {
  for (HWND child = FindWindowExA(parent, nullptr, cls, nullptr); child;
       child = FindWindowExA(parent, child, cls, nullptr)) {
    if (!caption || WindowText(child) == caption) return child;
  }
  return nullptr;
}

}  // namespace testing_support
