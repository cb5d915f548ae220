// The pattern every control skin follows, written once: records of a kind's own type in the
// window record's list for that kind (1-based slots), the three properties, the subclass and the
// chain to the previous procedure, hover tracking, and the teardown when a control goes away.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "skin/property_keys.h"
#include "skin/window_record.h"
#include "skin/window_records.h"

namespace skin::controls {

// The three property keys a kind uses: the Hw_ set, or the Kj_ set of the common-control kind.
struct FamilyKeys {
  const wchar_t* fuId;
  const wchar_t* lbId;
  const wchar_t* hProc;
};
inline constexpr FamilyKeys kHwKeys{prop::Hw_FuID, prop::Hw_lbID, prop::Hw_hProc};
inline constexpr FamilyKeys kKjKeys{prop::Kj_FuID, prop::Kj_lbID, prop::Kj_hProc};

// Hover kind codes shared by the window record's hot kind.
enum HoverKind : int32_t {
  kHoverButton = 0,
  kHoverEdit = 1,
  kHoverSlider = 2,
  kHoverCombo = 3,
  kHoverList = 4,
  kHoverUpDown = 8,
  kHoverHeader = 9,
  kHoverNone = -1,
};

// The window's class is the name (case as the system compares class names).
bool IsWindowClass(HWND window, const wchar_t* name);

// 1-based slot of the window in the list, 0 when absent.
int32_t SlotOf(const ControlList& list, HWND window);
// True when the list counts as empty under the slot rule: one record without a window.
bool HoldsOnlyEmptySlot(const ControlList& list);

// Slot rule: a list holding a single record without a window reuses slot 1, otherwise a new
// record is appended. The slot always holds a fresh record of the kind's own type.
template <typename Record>
int32_t TakeSlot(ControlList& list) {
  if (HoldsOnlyEmptySlot(list)) {
    list[0] = std::make_unique<Record>();
    return 1;
  }
  list.push_back(std::make_unique<Record>());
  return static_cast<int32_t>(list.size());
}

// The record in the slot when it is of the kind's type; null otherwise.
template <typename Record>
Record* RecordInSlot(ControlList& list, int32_t slot) {
  if (slot < 1 || static_cast<size_t>(slot) > list.size() || !list[slot - 1]) return nullptr;
  return dynamic_cast<Record*>(list[slot - 1].get());
}

// Installs the procedure unless it is already the control's; the previous one goes into the
// key's property. Returns the procedure the control had before the skin (from the property when
// the skin was already installed).
WNDPROC InstallSubclass(HWND control, const wchar_t* procKey, WNDPROC proc);
// Hands the message to the procedure kept in the key's property (DefWindowProcW without one).
LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                     const wchar_t* procKey = prop::Hw_hProc);

// The control already has a skin's procedure (one of the control kinds, a panel or the common
// control kind): another skin installed over it would chain to itself.
bool HeldByAnySkin(HWND control);

// Records, marks and subclasses one control: a fresh record of the kind's type in its slot,
// the window index and slot in the properties, the procedure installed and kept in the record.
template <typename Record>
Record* AttachToSlot(WindowSkinRecord* ownerRecord, ControlListKind kind, HWND control,
                     WNDPROC proc, const FamilyKeys& keys = kHwKeys, int32_t* slotOut = nullptr) {
  WindowSkinRecord* record = ownerRecord;
  if (!record || !control) return nullptr;
  ControlList& list = record->controls[kind];
  const int32_t slot = TakeSlot<Record>(list);
  auto* entry = static_cast<Record*>(list[slot - 1].get());
  entry->window = control;
  prop::Set(control, keys.lbId, slot);
  prop::Set(control, keys.fuId, record->number);
  if (proc) entry->previousProc = InstallSubclass(control, keys.hProc, proc);
  if (slotOut) *slotOut = slot;
  return entry;
}

// Where an attached control's record is, found through its properties and checked against the
// handle, so a stale property never reaches another control's record.
struct ControlPlace {
  WindowSkinRecord* ownerRecord = nullptr;
  int32_t slot = 0;
  WindowSkinRecord* window = nullptr;
};
ControlPlace PlaceOf(HWND control, ControlListKind kind, const FamilyKeys& keys = kHwKeys);

template <typename Record>
Record* RecordOf(HWND control, ControlListKind kind, ControlPlace* place = nullptr,
                 const FamilyKeys& keys = kHwKeys) {
  const ControlPlace found = PlaceOf(control, kind, keys);
  if (place) *place = found;
  if (!found.window) return nullptr;
  return RecordInSlot<Record>(found.window->controls[kind], found.slot);
}

// Arms WM_MOUSELEAVE for the control once per entry; the flag lives in the control's record.
void TrackLeave(HWND control, int32_t& tracking);
// The pointer is over the control: sets the window's hover index, and returns true when the
// control must now be painted hot (another control, another kind or a control of another parent
// was painted hot last); it is then recorded as the hot one.
bool TakeHover(WindowSkinRecord& window, int32_t kindCode, int32_t slot, HWND parent);
// The pointer left (or a click painted over the hot face): nothing is hot any more.
void DropHover(WindowSkinRecord& window);

// WM_NCDESTROY of an attached control: chains first, then drops the properties and empties the
// slot, so that no later renumbering writes onto a handle that may belong to another window.
LRESULT DetachOnNcDestroy(HWND control, WPARAM wParam, LPARAM lParam, ControlListKind kind,
                          const FamilyKeys& keys = kHwKeys);

}  // namespace skin::controls
