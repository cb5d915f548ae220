#include "skin/subclass.h"

namespace skin {

bool Subclass(HWND window, SUBCLASSPROC proc, void* data, UINT_PTR id) {
  return window && SetWindowSubclass(window, proc, id, reinterpret_cast<DWORD_PTR>(data));
}

void Unsubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
  if (window) RemoveWindowSubclass(window, proc, id);
}

void* SubclassData(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
  DWORD_PTR data = 0;
  if (!window || !GetWindowSubclass(window, proc, id, &data)) return nullptr;
  return reinterpret_cast<void*>(data);
}

}  // namespace skin
