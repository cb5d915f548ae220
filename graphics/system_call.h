// System libraries and the functions in them looked up at run time, for the calls newer than the
// oldest Windows the program starts on.
#pragma once

#include <windows.h>

#include <string>

namespace graphics {

// `module` from the system folder only, never from the program's own folder or the current
// one, where anyone who can write there (a zip unpacked in Downloads) could plant a namesake.
// Null when it is not there.
inline HMODULE LoadSystemLibrary(const wchar_t* module) {
  if (HMODULE loaded = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return loaded;
  // Without the search flags (Windows 7 before KB2533623) the call fails with an invalid
  // parameter: the full path then names the same file.
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  wchar_t folder[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder) + L"\\" + module).c_str());
}

// The function `name` of the system library `module` as type F; null where either is missing.
// A library not yet in the process is loaded from the system folder and stays.
template <typename F>
F SystemCall(const wchar_t* module, const char* name) {
  HMODULE loaded = GetModuleHandleW(module);
  if (!loaded) loaded = LoadSystemLibrary(module);
  return loaded ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(loaded, name)))
                : nullptr;
}

}  // namespace graphics
