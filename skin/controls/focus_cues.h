// Focus cues drawn by the skin, shown as Windows shows its own: only once the keyboard has moved
// the focus in a window (WM_CHANGEUISTATE / WM_UPDATEUISTATE clearing UISF_HIDEFOCUS). Using the
// mouse alone never shows them. The skin keeps the flag in the window's record itself, because
// not every system keeps the UI state (WM_QUERYUISTATE) for it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace skin::controls {

// The hide-focus flag after a WM_CHANGEUISTATE or WM_UPDATEUISTATE with this wParam; the last
// input is not known here, so UIS_INITIALIZE hides the cues.
bool HideFocusAfter(bool hidden, WPARAM uiState);

// Runs the UI-state message on the skinned top-level window: keeps the flag, and repaints the
// control with the focus when it changed.
void OnUiStateMessage(HWND topLevel, WPARAM uiState);

// True while a key that moves the focus (Tab, an arrow) is down.
bool FocusFromKeyboard();
// The control's top-level window is told to show focus cues, as the dialog manager tells it.
void ShowFocusCues(HWND control);

// The control's top-level window shows focus cues.
bool FocusCuesOn(HWND control);
// The control has the focus (or holds the child that has it) and its window shows focus cues.
bool FocusCueShown(HWND control);

// The state a check box or radio button face shows now: disabled while the window is (no hot or
// pressed layer then), the focus bit only while its focus cue is shown.
UINT LiveToggleState(HWND window, UINT state);

// The cue round a frame-type control (edit, list, combo box) of w x h: a 2-pixel accent line
// inside its edge.
struct CueStroke {
  float x, y, width, height, pen;
  int32_t alpha;
};
CueStroke FrameCueStroke(int32_t w, int32_t h);

}  // namespace skin::controls
