// The one way the program subclasses a window: comctl32's subclass chain. Each procedure gets
// the data it was installed with on every call, so it reaches its window's state in one step,
// and chains to whatever lies below it, however the layers were stacked.
#pragma once

#include <windows.h>
//
#include <commctrl.h>

namespace skin {

// Installs the procedure over the window with its data; installed again with the same id, only
// the data changes. One procedure may lie in the chain more than once under different ids.
bool Subclass(HWND window, SUBCLASSPROC proc, void* data, UINT_PTR id = 1);
// Takes the procedure out of the window's chain; nothing when it is not in it.
void Unsubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id = 1);
// The data the procedure was installed with; null when it is not installed on the window.
void* SubclassData(HWND window, SUBCLASSPROC proc, UINT_PTR id = 1);
template <typename T>
T* SubclassDataAs(HWND window, SUBCLASSPROC proc, UINT_PTR id = 1) {
  return static_cast<T*>(SubclassData(window, proc, id));
}
// From inside a subclass procedure: the next procedure in the chain answers.
inline LRESULT CallNext(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace skin
