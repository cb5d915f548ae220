#include "tests/support/gallery_run.h"

namespace testing_support {

DWORD RunGallery(const std::string& folder, const std::string& png) {
  std::string command = "\"" + folder + "\\gallery.exe\" --screenshot \"" + png + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &si, &pi)) {
    return 0xFFFF;
  }
  DWORD code = 0xFFFE;
  if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

}  // namespace testing_support
