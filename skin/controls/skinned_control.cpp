#include "skin/controls/skinned_control.h"

#include "skin/backdrop/control_brush.h"
#include "skin/contrast/high_contrast.h"
#include "skin/controls/button_skin.h"
#include "skin/controls/control_font.h"
#include "skin/controls/focus_cues.h"
#include "skin/gdi/gdi_scoped.h"
#include "skin/skin_engine.h"
#include "skin/subclass.h"

namespace skin::controls {
namespace {

void Paint(const KindOps& ops, ControlRecord& record) {
  if (!ops.paint || !record.window) return;
  if (ops.face == FaceKind::kClient) {
    ClientDc dc(record.window);
    if (dc) ops.paint(record, dc);
    return;
  }
  WindowDc dc(record.window);
  if (dc) ops.paint(record, dc);
}

// Marks the WM_MOUSELEAVE a child hands on to its parent control.
constexpr WPARAM kLeaveFromChild = 0x5C;

void OnHover(SkinnedMessage& m) {
  ControlRecord& record = *m.record;
  TrackLeave(m.window, record.tracking);
  const bool entered = TakeHover(*m.owner, m.ops.hoverKind, m.slot, GetParent(m.window));
  const bool moved = m.ops.track && m.ops.track(record, m.lParam);
  if (!entered && !moved && record.hot) return;
  record.hot = true;
  Paint(m.ops, record);
}

HWND UnderPointer() {
  POINT cursor{};
  GetCursorPos(&cursor);
  return WindowFromPoint(cursor);
}

// A control whose hot frame stays while the pointer is over a skinned child of its own.
bool HasHotChildren(HWND window) {
  return prop::Get(window, prop::Hw_FuID) != 0 && prop::Get(window, prop::Mb_zpf) == 0;
}

// Watches the pointer over a child no skin holds: such a child tells nobody when it leaves.
constexpr UINT_PTR kChildWatchTimer = 0x5C0B;
constexpr UINT kChildWatchMs = 50;

void GoCold(SkinnedMessage& m) {
  ControlRecord& record = *m.record;
  record.hot = false;
  if (m.ops.leave) m.ops.leave(record);
  DropHover(*m.owner);
  Paint(m.ops, record);
  // A child's leave may be its parent control's too.
  HWND parent = GetParent(m.window);
  if (parent && HasHotChildren(parent)) PostMessageW(parent, WM_MOUSELEAVE, kLeaveFromChild, 0);
}

void OnLeave(SkinnedMessage& m) {
  HWND under = UnderPointer();
  if (under == m.window && m.wParam == kLeaveFromChild) return;  // back from the child
  m.record->tracking = false;
  if (under && under != m.window && IsChild(m.window, under)) {
    // A skinned child tells this control when it leaves; for any other, the timer looks.
    if (!HeldByAnySkin(under)) SetTimer(m.window, kChildWatchTimer, kChildWatchMs, nullptr);
    return;
  }
  GoCold(m);
}

void OnChildWatch(SkinnedMessage& m) {
  HWND under = UnderPointer();
  if (under && under != m.window && IsChild(m.window, under)) return;
  KillTimer(m.window, kChildWatchTimer);
  // Back over the control itself, its own moves track the pointer again.
  if (under != m.window && m.record->hot) GoCold(m);
}

// A font for another DPI: the face's caption follows it.
LRESULT OnSetFont(SkinnedMessage& m) {
  const LRESULT result = m.Chain();
  const ControlFontInfo font = ReadControlFont(m.window);
  if (m.record && font.size > 0) m.record->NoteFont(font.face, font.size, font.style);
  if (m.lParam) InvalidateRect(m.window, nullptr, TRUE);
  return result;
}

// High contrast: the control is the system's. The record still follows focus and text, so the
// skin comes back as the control is when the mode ends; the panel's skinned push buttons get the
// system's face.
LRESULT SystemPath(SkinnedMessage& m) {
  ControlRecord& record = *m.record;
  switch (m.message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      record.focused = m.message == WM_SETFOCUS;
      break;
    case WM_SETTEXT:
      record.NoteText(GivenText(m.window, m.lParam).c_str());
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
      if (item && item->CtlType == ODT_BUTTON && ButtonOf(item->hwndItem)) {
        DrawSystemPushButton(*item);
        return TRUE;
      }
      break;
    }
  }
  record.hot = false;
  if (m.message == WM_MOUSELEAVE) record.tracking = false;  // armed again on the next entry
  return CallNext(m.window, m.message, m.wParam, m.lParam);
}

// The control goes: out of its subclass and its window record's list. The record itself lives
// on until the last message being handled for it returns.
void Forget(ControlRecord& record, const FamilyKeys& keys) {
  HWND window = record.window;
  Unsubclass(window, SkinnedControlProc, SkinId(record.list));
  RemovePropW(window, keys.fuId);
  RemovePropW(window, keys.lbId);
  RemovePropW(window, keys.hProc);
  if (WindowSkinRecord* owner = record.owner) {
    if (owner->hotControl == record.slot) owner->hotControl = 0;
    ControlList& list = owner->controls[record.list];
    const auto at = static_cast<size_t>(record.slot - 1);
    if (at < list.size() && list[at].get() == &record) list[at].reset();
  }
  record.window = nullptr;
  record.owner = nullptr;
}

LRESULT Dispatch(const KindOps& ops, ControlRecord& record, HWND window, UINT message,
                 WPARAM wParam, LPARAM lParam) {
  SkinnedMessage m{ops, window, message, wParam, lParam, &record, record.owner, record.slot};
  if (message == WM_NCDESTROY) {
    if (ops.destroy) ops.destroy(record);
    ReleaseBrushesOf(*m.owner, window);
    const LRESULT result = CallNext(window, message, wParam, lParam);
    Forget(record, ops.keys);
    return result;
  }
  if (message == WM_SETFOCUS && FocusFromKeyboard()) ShowFocusCues(window);
  if (message == WM_CHANGEUISTATE) {
    // Up to the window that keeps the flag, as the system passes it from parent to parent.
    if (HWND top = GetAncestor(window, GA_ROOT)) SendMessageW(top, message, wParam, lParam);
    return 0;
  }
  if (message == WM_SETFONT) return OnSetFont(m);
  if (m.owner->engine && m.owner->engine->highContrast.On()) return SystemPath(m);
  LRESULT result = 0;
  if (ops.handle && ops.handle(m, &result)) return result;
  if (!m.record) return result;
  switch (message) {
    case WM_MOUSEMOVE:
      if (ops.hoverKind != kHoverNone) OnHover(m);
      break;
    case WM_MOUSELEAVE:
      if (ops.hoverKind != kHoverNone) OnLeave(m);
      break;
    case WM_TIMER:
      if (wParam != kChildWatchTimer) break;
      if (ops.hoverKind != kHoverNone) OnChildWatch(m);
      return 0;
    case WM_ERASEBKGND:
      if (ops.face == FaceKind::kOwn) break;
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return 1;
    case WM_MOVE:
      if (ops.face == FaceKind::kWholeWindow) Paint(ops, record);
      break;
    case WM_PAINT:
      if (ops.face == FaceKind::kOwn) break;
      {
        PaintDc dc(window);
        if (ops.face == FaceKind::kClient) {
          if (dc && ops.paint) ops.paint(record, dc);
          return 0;
        }
      }
      Paint(ops, record);
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_NCPAINT:
      // Never chained: the system's border would be drawn over the face.
      if (ops.face == FaceKind::kOwn) break;
      if (ops.face == FaceKind::kWholeWindow) Paint(ops, record);
      return 0;
  }
  return CallNext(window, message, wParam, lParam);
}

}  // namespace

void RunHoverRows(SkinnedMessage& message) {
  if (message.record && message.ops.hoverKind != kHoverNone) OnHover(message);
}

LRESULT SkinnedMessage::Chain() { return Chain(message, wParam, lParam); }

LRESULT SkinnedMessage::Chain(UINT otherMessage, WPARAM otherWParam, LPARAM otherLParam) {
  const LRESULT result = CallNext(window, otherMessage, otherWParam, otherLParam);
  if (record && !record->window) {
    record = nullptr;
    owner = nullptr;
  }
  return result;
}

LRESULT CALLBACK SkinnedControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR data) {
  auto* found = reinterpret_cast<ControlRecord*>(data);
  // Held for the whole message: the chained code may destroy the control and free its slot.
  const std::shared_ptr<ControlRecord> record = found ? found->weak_from_this().lock() : nullptr;
  if (!record || !record->ops || !record->owner || record->window != window) {
    return CallNext(window, message, wParam, lParam);
  }
  ++record->busy;
  const LRESULT result = Dispatch(*record->ops, *record, window, message, wParam, lParam);
  --record->busy;
  return result;
}

void ForgetControls(WindowSkinRecord& owner) {
  for (ControlList& list : owner.controls) {
    // Copied: forgetting empties the slots.
    const ControlList held = list;
    for (const auto& record : held) {
      if (record && record->window && record->ops) Forget(*record, record->ops->keys);
    }
  }
}

void RepaintNow(ControlRecord& record) {
  if (record.ops) Paint(*record.ops, record);
}

void RepaintNow(HWND control, const KindOps& ops) {
  ControlRecord* record = ControlRecordOf(control, ops.list);
  if (record && record->ops == &ops && record->window == control) Paint(ops, *record);
}

}  // namespace skin::controls
