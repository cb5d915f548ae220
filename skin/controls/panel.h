// Panels: containers (the main window's group box) that paint their own background, frame and
// caption over the window's picture, skin their own children and answer their WM_CTLCOLOR* and
// WM_DRAWITEM the way a skinned window does.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/window_record.h"

namespace skin::controls {

// Makes the panel one of the window's: enabled 1, alpha 255 and rounded 0 when not given. A
// panel already attached is left as it is.
void AttachPanel(WindowSkinRecord* ownerRecord, HWND panel, std::optional<int32_t> enabled,
                 std::optional<COLORREF> colour, std::optional<int32_t> alpha,
                 std::optional<int32_t> rounded);

// Background, overlay, frame and caption onto the DC, leaving the visible children alone.
void PaintPanel(HWND panel, HDC dc);

// The panel's record, found through its properties; null when the window is not one.
PanelSkin* PanelOf(HWND window, WindowSkinRecord** ownerRecord = nullptr);

}  // namespace skin::controls
