// The pattern every control skin follows, written once: records of a kind's own type in the
// window record's list for that kind (1-based slots), the way-in properties, the one subclass
// and the chain below it, and hover tracking.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

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
    list[0] = std::make_shared<Record>();
    return 1;
  }
  list.push_back(std::make_shared<Record>());
  return static_cast<int32_t>(list.size());
}

// The record in the slot when it is of the kind's type; null otherwise.
template <typename Record>
Record* RecordInSlot(ControlList& list, int32_t slot) {
  if (slot < 1 || static_cast<size_t>(slot) > list.size() || !list[slot - 1]) return nullptr;
  return dynamic_cast<Record*>(list[slot - 1].get());
}

// The one subclass procedure of every skinned control; its data is the control's record.
LRESULT CALLBACK SkinnedControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR data);

// The subclass id of a kind's skin: a control may carry two (a common control is a panel too).
inline UINT_PTR SkinId(int32_t list) { return static_cast<UINT_PTR>(list) + 1; }

// The control's record of the kind, in one step from its subclass; null for any other window.
ControlRecord* ControlRecordOf(HWND control, ControlListKind kind);

// The procedures below the skin answer: from inside the skin's handling of a message to the
// window, the rest of its subclass chain; from outside, the control's own class procedure
// (a paint asked for from elsewhere draws the control as the system would).
LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The text a WM_SETTEXT hands the window, read in the window's character set.
std::wstring GivenText(HWND window, LPARAM lParam);

// The control already has a skin (one of the control kinds, a panel or the common control
// kind): another skin installed over it would paint over the first.
bool HeldByAnySkin(HWND control);

// Takes a slot for the control: a fresh record of the kind's type, tied to its window record,
// and the way-in properties (window index and slot) for whoever reads them from outside.
template <typename Record>
Record* AttachToSlot(WindowSkinRecord* ownerRecord, ControlListKind kind, HWND control,
                     const KindOps* ops, const FamilyKeys& keys = kHwKeys) {
  if (!ownerRecord || !control) return nullptr;
  ControlList& list = ownerRecord->controls[kind];
  const int32_t slot = TakeSlot<Record>(list);
  auto* entry = static_cast<Record*>(list[slot - 1].get());
  entry->window = control;
  entry->owner = ownerRecord;
  entry->slot = slot;
  entry->list = kind;
  entry->ops = ops;
  prop::Set(control, keys.lbId, slot);
  prop::Set(control, keys.fuId, ownerRecord->number);
  return entry;
}

// Puts an attached control under the skinned-control procedure. The procedure it had before
// goes into the key's property: the mark that a skin holds the control.
bool InstallSkin(ControlRecord& record, const FamilyKeys& keys);

// The control's record when it is one of the kind's; null otherwise.
template <typename Record>
Record* RecordOf(HWND control, ControlListKind kind) {
  ControlRecord* record = ControlRecordOf(control, kind);
  if (!record || record->window != control) return nullptr;
  return dynamic_cast<Record*>(record);
}

// Arms WM_MOUSELEAVE for the control once per entry; the flag lives in the control's record.
void TrackLeave(HWND control, bool& tracking);
// The pointer is over the control: sets the window's hover index, and returns true when the
// control must now be painted hot (another control, another kind or a control of another parent
// was painted hot last); it is then recorded as the hot one.
bool TakeHover(WindowSkinRecord& window, int32_t kindCode, int32_t slot, HWND parent);
// The pointer left (or a click painted over the hot face): nothing is hot any more.
void DropHover(WindowSkinRecord& window);

}  // namespace skin::controls
