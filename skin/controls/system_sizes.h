// Parts whose size the control takes from the system, made to its window's DPI: a slider's
// thumb and an up-down set beside its buddy. The control sizes them once, for the DPI it
// believes it has, so after a WM_DPICHANGED they would keep the old size. (Scroll bars the system
// draws in a control's non-client area are left to it: under per-monitor v2 it draws them at the
// window's DPI.)
#pragma once

#include <windows.h>

#include <cstdint>

namespace skin {
struct WindowSkinRecord;
}

namespace skin::controls {

struct SliderSkin;
struct UpDownSkin;

// A slider's thumb length at `dpi` for a client that thick across its channel: 21 (23 with a
// selection range), or the thickness less 5 where that does not fit, never under 4.
int32_t ThumbLengthFor(int32_t thickness, bool selectionRange, int dpi);

// Gives the slider the thumb length for `dpi`, unless its owner fixed the length itself; where
// the control's own length already is that, it is left to the control.
void FitSliderThumb(SliderSkin& slider, int dpi);

// An up-down aligned to its buddy takes the width it gave itself, scaled from the DPI its window
// had then to `dpi`; the buddy gives or takes the difference on that side. The first call notes
// that width.
void FitUpDownWidth(UpDownSkin& upDown, int dpi);

// Both, for every slider and up-down skinned in the window, at the window's DPI.
void FitSystemSizes(const WindowSkinRecord& window);

}  // namespace skin::controls
