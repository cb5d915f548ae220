// The one window procedure of every control skin. A kind supplies its own parts in a constant
// table (its painter, its extra hover state, the rows only it answers); the dispatcher gets the
// record with each message from the control's subclass and answers the rows every kind shares:
// teardown, hover and leave, erase, paint and non-client paint, and the chain below the skin.
#pragma once

#include <windows.h>

#include "skin/controls/family.h"
#include "skin/skin_settings.h"

namespace skin::controls {

// How a kind's face reaches the screen.
enum class FaceKind {
  kWholeWindow,  // painted over the whole window area on its window DC; the system never paints
  kClient,       // painted onto the paint DC of WM_PAINT; no non-client part
  kOwn,          // the kind's rows answer WM_PAINT and WM_NCPAINT themselves
};

struct SkinnedMessage;

struct KindOps {
  ControlListKind list;
  FamilyKeys keys = kHwKeys;
  int32_t hoverKind = kHoverNone;  // kHoverNone: the pointer changes nothing
  FaceKind face = FaceKind::kOwn;
  // Paints the face now, from the record (onto the window DC, or the paint DC for kClient).
  void (*paint)(ControlRecord& record, HDC dc) = nullptr;
  // The kind's hover state beyond hot (a half, an item) from the pointer; true when it changed.
  bool (*track)(ControlRecord& record, LPARAM point) = nullptr;
  // Clears that state when the pointer leaves.
  void (*leave)(ControlRecord& record) = nullptr;
  // The rows only this kind answers, before the shared ones; true when answered (*result set).
  bool (*handle)(SkinnedMessage& message, LRESULT* result) = nullptr;
  // Before the teardown of WM_NCDESTROY, while the control still has its children and record.
  void (*destroy)(ControlRecord& record) = nullptr;
};

// One message to a skinned control, with its record. A chained call may take the control
// away; record and owner are null from then on.
struct SkinnedMessage {
  const KindOps& ops;
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  ControlRecord* record = nullptr;
  WindowSkinRecord* owner = nullptr;
  int32_t slot = 0;

  // The procedures below the skin answer.
  LRESULT Chain();
  LRESULT Chain(UINT otherMessage, WPARAM otherWParam, LPARAM otherLParam);
  template <typename Record>
  Record& As() {
    return static_cast<Record&>(*record);
  }
};

// The shared hover rows of WM_MOUSEMOVE, for a kind that answers the message itself.
void RunHoverRows(SkinnedMessage& message);

// Records, marks and subclasses one control as the kind; null when the window record is gone or
// the control already belongs to another skin.
template <const KindOps* Ops, typename Record>
Record* AttachKind(WindowSkinRecord* ownerRecord, HWND control) {
  if (HeldByAnySkin(control)) return nullptr;
  auto* record = AttachToSlot<Record>(ownerRecord, Ops->list, control, Ops, Ops->keys);
  if (record) InstallSkin(*record, Ops->keys);
  return record;
}

// Attaches every direct child of the class as the kind while control colouring is on; setUp
// completes each new record from its control.
template <const KindOps* Ops, typename Record, typename SetUp>
void AttachChildrenOfClass(WindowSkinRecord* ownerRecord, HWND parent, const wchar_t* cls,
                           SetUp setUp) {
  if (SettingsOf(parent).controlColouring == 0 || !ownerRecord) return;
  for (HWND child = FindWindowExW(parent, nullptr, cls, nullptr); child;
       child = FindWindowExW(parent, child, cls, nullptr)) {
    if (Record* record = AttachKind<Ops, Record>(ownerRecord, child)) setUp(*record, child);
  }
}

// The window record goes while controls it skinned may still be there: they leave the skin.
void ForgetControls(WindowSkinRecord& owner);

// Paints an attached control's face now, on its window DC (its client DC for kClient kinds).
void RepaintNow(ControlRecord& record);
// The same for a control found by its handle; nothing when it is not one of the kind.
void RepaintNow(HWND control, const KindOps& ops);

}  // namespace skin::controls
