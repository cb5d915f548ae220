// The common-control kind: one control handed to the engine at a time (status bars, tab controls,
// toolbars, month calendars ...). It paints itself as usual into an off-screen layer, and
// whatever it leaves in the transparent colour shows the picture behind it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "skin/window_record.h"

namespace skin::controls {

inline constexpr COLORREF kTransparentKey = 0xFF00FF;

// Records and subclasses the control (Kj_ properties), asks it for the transparent colour as its
// background where it has such a setting, and makes it a panel so its own children are skinned.
void AttachCommonControl(WindowSkinRecord* ownerRecord, HWND control);
// The control's own drawing over its backdrop, onto the DC.
void PaintCommonControl(HWND control, HDC dc);

}  // namespace skin::controls
