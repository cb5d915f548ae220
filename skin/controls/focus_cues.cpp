#include "skin/controls/focus_cues.h"

#include "skin/controls/button_skin.h"
#include "skin/controls/face_layers.h"
#include "skin/window_records.h"

namespace skin::controls {

bool HideFocusAfter(bool hidden, WPARAM uiState) {
  const WORD action = LOWORD(uiState);
  if (action == UIS_INITIALIZE) return true;
  if (!(HIWORD(uiState) & UISF_HIDEFOCUS)) return hidden;
  if (action == UIS_SET) return true;
  if (action == UIS_CLEAR) return false;
  return hidden;
}

void OnUiStateMessage(HWND topLevel, WPARAM uiState) {
  WindowSkinRecord* record = FrameRecordOf(topLevel);
  if (!record) return;
  const bool hidden = record->hideFocusCues;
  const bool now = HideFocusAfter(hidden, uiState);
  if (now == hidden) return;
  record->hideFocusCues = now;
  HWND focus = GetFocus();
  if (!focus || !IsChild(topLevel, focus)) return;
  // A combo box's edit has the focus, the cue is the combo box's.
  wchar_t cls[16] = {};
  HWND parent = GetParent(focus);
  if (parent && GetClassNameW(parent, cls, static_cast<int>(std::size(cls))) &&
      lstrcmpiW(cls, L"ComboBox") == 0) {
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  }
  RedrawWindow(focus, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

bool FocusFromKeyboard() {
  // Not Alt: Alt+Tab back into the window gives the focus back with it down.
  for (int key : {VK_TAB, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) {
    if (GetKeyState(key) & 0x8000) return true;
  }
  return false;
}

void ShowFocusCues(HWND control) {
  HWND top = GetAncestor(control, GA_ROOT);
  if (top) SendMessageW(top, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

bool FocusCuesOn(HWND control) {
  const WindowSkinRecord* record = FrameRecordOf(GetAncestor(control, GA_ROOT));
  return record && !record->hideFocusCues;
}

bool FocusCueShown(HWND control) {
  HWND focus = GetFocus();
  if (!control || !focus || (focus != control && !IsChild(control, focus))) return false;
  return FocusCuesOn(control);
}

UINT LiveToggleState(HWND window, UINT state) {
  state &= ~kStateFocus;
  if (!IsWindowEnabled(window)) state = (state & ~(kStateHot | kStatePressed)) | kStateDisabled;
  // The record says when the focus is leaving: the system may already name the next window.
  const ButtonSkin* button = ButtonOf(window);
  if ((!button || button->focused) && FocusCueShown(window)) state |= kStateFocus;
  return state;
}

CueStroke FrameCueStroke(int32_t w, int32_t h) {
  return {1, 1, static_cast<float>(w) - 2, static_cast<float>(h) - 2, 2, 255};
}

}  // namespace skin::controls
