#include "skin/controls/family.h"

#include "skin/subclass.h"

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

ControlRecord* ControlRecordOf(HWND control, ControlListKind kind) {
  return SubclassDataAs<ControlRecord>(control, SkinnedControlProc, SkinId(kind));
}

namespace {

// A skin of the window is handling a message to it now.
bool InsideSkin(HWND window) {
  for (int kind = 0; kind < kControlListCount; ++kind) {
    const ControlRecord* record = ControlRecordOf(window, static_cast<ControlListKind>(kind));
    if (record && record->busy > 0) return true;
  }
  return false;
}

bool AnySkin(HWND window) {
  for (int kind = 0; kind < kControlListCount; ++kind) {
    if (ControlRecordOf(window, static_cast<ControlListKind>(kind))) return true;
  }
  return false;
}

}  // namespace

LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (InsideSkin(window)) return CallNext(window, message, wParam, lParam);
  const auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
  return own ? CallWindowProcW(own, window, message, wParam, lParam)
             : DefWindowProcW(window, message, wParam, lParam);
}

std::wstring GivenText(HWND window, LPARAM lParam) {
  if (!lParam) return {};
  if (IsWindowUnicode(window)) return reinterpret_cast<const wchar_t*>(lParam);
  const auto* narrow = reinterpret_cast<const char*>(lParam);
  const int length = MultiByteToWideChar(CP_ACP, 0, narrow, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, narrow, -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length) - 1);
  return wide;
}

bool InstallSkin(ControlRecord& record, const FamilyKeys& keys) {
  if (!record.window) return false;
  prop::Set(record.window, keys.hProc, GetWindowLongPtrW(record.window, GWLP_WNDPROC));
  if (Subclass(record.window, SkinnedControlProc, &record, SkinId(record.list))) return true;
  RemovePropW(record.window, keys.hProc);
  return false;
}

void TrackLeave(HWND control, bool& tracking) {
  if (tracking) return;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = control;
  track.dwHoverTime = 0;
  if (TrackMouseEvent(&track)) tracking = true;
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
  return control && (GetPropW(control, prop::Hw_hProc) || GetPropW(control, prop::Kj_hProc) ||
                     AnySkin(control));
}

void DropHover(WindowSkinRecord& window) { window.hotControl = 0; }

}  // namespace skin::controls
