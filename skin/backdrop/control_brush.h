// The brushes handed to child controls for WM_CTLCOLOR*: made and replaced here only, owned by
// the window record (a child's Kj_dxjb and Kj_wtjb properties show the current pair; they never
// own it), and deleted when they are replaced, when the child goes or with the window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "skin/window_record.h"

namespace skin {

// A pattern brush of what lies behind the child's client area, washed with white at washAlpha
// (none at 0); the child's previous brush and bitmap are deleted first. Null when no backdrop
// could be made.
HBRUSH BackdropBrushFor(WindowSkinRecord& record, HWND child, HDC childDc, int32_t washAlpha);
// The colour for the child's text over the backdrop of its last brush: its Kj_Ztys colour where
// that reads, black or white where it does not.
COLORREF TextColourOverBrush(HWND child);
// The stock null brush for a child that paints its own background; its previous brush goes.
HBRUSH NullBrushFor(WindowSkinRecord& record, HWND child);
// Deletes what one child or every child of the record was handed.
void ReleaseBrushesOf(WindowSkinRecord& record, HWND child);
void ReleaseAllBrushes(WindowSkinRecord& record);

}  // namespace skin
