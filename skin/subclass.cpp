#include "skin/subclass.h"

namespace skin {

// One installation per procedure and window: the procedure itself tells the layers apart.
constexpr UINT_PTR kSubclassId = 1;

bool Subclass(HWND window, SUBCLASSPROC proc, void* data) {
  return window && SetWindowSubclass(window, proc, kSubclassId, reinterpret_cast<DWORD_PTR>(data));
}

void Unsubclass(HWND window, SUBCLASSPROC proc) {
  if (window) RemoveWindowSubclass(window, proc, kSubclassId);
}

void* SubclassData(HWND window, SUBCLASSPROC proc) {
  DWORD_PTR data = 0;
  if (!window || !GetWindowSubclass(window, proc, kSubclassId, &data)) return nullptr;
  return reinterpret_cast<void*>(data);
}

}  // namespace skin
