#include "tools/empty/debug_privilege.h"

#include <windows.h>

#include <cstdio>

namespace empty_tool {

void EnableDebugPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    std::printf("OpenProcessToken failed with %d\n", static_cast<int>(GetLastError()));
    return;
  }
  TOKEN_PRIVILEGES privileges{};
  if (!LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &privileges.Privileges[0].Luid)) {
    std::printf("LookupPrivilegeValue failed with %d\n", static_cast<int>(GetLastError()));
  } else {
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, nullptr, nullptr)) {
      std::printf("AdjustTokenPrivileges failed with %d\n", static_cast<int>(GetLastError()));
    }
  }
  CloseHandle(token);
}

}  // namespace empty_tool
