// The system's high-contrast mode. While it is on the engine draws nothing of its own: frames,
// captions and controls are the system's, in the system's colours, and the picture shows behind
// nothing. The engine asks whether it is on through here only: at start, and again on every
// WM_SETTINGCHANGE a skinned window receives.
#pragma once

#include <windows.h>

#include "skin/window_record.h"

namespace skin {

// Where the mode is read from: the system (SPI_GETHIGHCONTRAST) unless a test gives another.
using HighContrastSource = bool (*)();

// The mode as an engine last read it.
class HighContrastMode {
 public:
  HighContrastMode();
  bool On() const { return on_; }
  void SetSource(HighContrastSource source);  // null: the system again
  // Reads the mode again; true when it changed.
  bool Refresh();

 private:
  HighContrastSource source_ = nullptr;
  bool on_ = false;
};

// The mode as the engine that skinned the window (or holds it) last read it; the system's for a
// window no engine skinned.
bool HighContrastOn(HWND window);

// The window as the mode wants it: with the system's caption and sizing frame (the client area
// kept at its size) and no rounded region while the mode is on; borderless again when it is off.
// Everything in it is repainted.
void ApplyHighContrast(WindowSkinRecord& record);

// A skinned top-level window's procedure while the mode is on: true when the row was answered
// (*result set); false for the rows that stay the skin's (teardown, layout, focus-cue flag).
bool SystemFrameRow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// An owner-drawn push button face as the system draws one, in the system's colours.
void DrawSystemPushButton(const DRAWITEMSTRUCT& item);

}  // namespace skin
