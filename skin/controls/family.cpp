#include "skin/controls/family.h"

namespace skin::controls {

bool IsWindowClass(HWND window, const wchar_t* name) {
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, static_cast<int>(std::size(cls)));
  return lstrcmpiW(cls, name) == 0;
}

int32_t SlotOf(const ControlList& list, HWND window) {
  if (!window) return 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] && list[i]->window == window) return static_cast<int32_t>(i) + 1;
  }
  return 0;
}

bool HoldsOnlyEmptySlot(const ControlList& list) {
  return list.size() == 1 && (!list[0] || list[0]->window == nullptr);
}

WNDPROC InstallSubclass(HWND control, const wchar_t* procKey, WNDPROC proc) {
  const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
  if (current == proc) return prop::GetAs<WNDPROC>(control, procKey);
  // The property holds the current procedure before the switch: a message that arrives while
  // the procedure is being replaced still finds somewhere to go.
  prop::Set(control, procKey, reinterpret_cast<intptr_t>(current));
  const auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
  prop::Set(control, procKey, reinterpret_cast<intptr_t>(previous));
  return previous;
}

LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                     const wchar_t* procKey) {
  const auto previous = prop::GetAs<WNDPROC>(window, procKey);
  if (!previous) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

ControlPlace PlaceOf(HWND control, ControlListKind kind, const FamilyKeys& keys) {
  ControlPlace place;
  WindowSkinRecord* record = OwnerRecordOf(control);
  const auto slot = static_cast<int32_t>(prop::Get(control, keys.lbId));
  if (!record || slot < 1 || static_cast<size_t>(slot) > record->controls[kind].size()) {
    return place;
  }
  const auto& entry = record->controls[kind][slot - 1];
  if (!entry || entry->window != control) return place;
  place.ownerRecord = record;
  place.slot = slot;
  place.window = record;
  return place;
}

void TrackLeave(HWND control, int32_t& tracking) {
  if (tracking != 0) return;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = control;
  track.dwHoverTime = 0;
  if (TrackMouseEvent(&track)) tracking = 1;
}

bool TakeHover(WindowSkinRecord& window, int32_t kindCode, int32_t slot, HWND parent) {
  window.hoverControl = slot;
  if (window.hoverControl == window.hotControl && window.hotKind == kindCode &&
      window.hotParent == parent) {
    return false;
  }
  window.hotControl = window.hoverControl;
  window.hotKind = kindCode;
  window.hotParent = parent;
  return true;
}

bool HeldByAnySkin(HWND control) {
  return control && (GetPropW(control, prop::Hw_hProc) || GetPropW(control, prop::Kj_hProc));
}

void DropHover(WindowSkinRecord& window) { window.hotControl = 0; }

LRESULT DetachOnNcDestroy(HWND control, WPARAM wParam, LPARAM lParam, ControlListKind kind,
                          const FamilyKeys& keys) {
  const ControlPlace place = PlaceOf(control, kind, keys);
  const LRESULT result = CallPrevious(control, WM_NCDESTROY, wParam, lParam, keys.hProc);
  if (place.window) {
    auto& entry = place.window->controls[kind][place.slot - 1];
    entry->window = nullptr;
    entry->previousProc = nullptr;
    if (place.window->hotControl == place.slot) place.window->hotControl = 0;
  }
  RemovePropW(control, keys.fuId);
  RemovePropW(control, keys.lbId);
  RemovePropW(control, keys.hProc);
  return result;
}

}  // namespace skin::controls
