// A process for the working-set tests to point at.
//   trim_helper sleep          waits a minute
//   trim_helper window TITLE   shows a top-level window with that title for a minute
// With TRIM_HELPER_RECORD set it instead writes its command line and its module path, one per
// line, to that file and ends: placed as empty.exe it shows how the trimmer started it.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

void Record(const std::string& file) {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string text = std::string(GetCommandLineA()) + "\n" + module + "\n";
  // Written aside and moved in place, so a reader never sees half of it.
  const std::string partial = file + ".partial";
  HANDLE f = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
  MoveFileExA(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void ShowWindowFor(const char* title, DWORD ms) {
  HWND window = CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                                100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  if (window) DestroyWindow(window);
}

}  // namespace

int main(int argc, char** argv) {
  char record[MAX_PATH] = {};
  if (GetEnvironmentVariableA("TRIM_HELPER_RECORD", record, MAX_PATH)) {
    Record(record);
    return 0;
  }
  if (argc >= 3 && std::strcmp(argv[1], "window") == 0) {
    ShowWindowFor(argv[2], 60000);
  } else {
    Sleep(60000);
  }
  return 0;
}
