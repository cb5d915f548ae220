// A system function looked up at run time, for the calls newer than the oldest Windows the
// program starts on.
#pragma once

#include <windows.h>

namespace graphics {

// The function `name` of `module` as type F; null where either is missing. A module not yet in
// the process is loaded and stays.
template <typename F>
F SystemCall(const wchar_t* module, const char* name) {
  HMODULE loaded = GetModuleHandleW(module);
  if (!loaded) loaded = LoadLibraryW(module);
  return loaded ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(loaded, name)))
                : nullptr;
}

}  // namespace graphics
