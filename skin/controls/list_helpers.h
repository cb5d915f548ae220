// What the list-type skin asks of a control: its frame and scroll-bar styles, the rectangle its
// frame surrounds, and the device contexts its painting goes through.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "skin/gdi/gdi_handles.h"

namespace skin::controls {

// From the style bits alone, so they are tested without a window.
bool HasScrollBarStyle(LONG style);
bool HasFrameStyle(LONG style, LONG exStyle);
bool IsOwnerDrawListStyle(LONG style);

// Items painted once on black and once on white tell, channel by channel, how much of the
// background each pixel lets through: out = onBlack + background * (onWhite - onBlack) / 255.
// Opaque parts stay as painted, the bare background stays the picture, anti-aliased text edges
// blend into it, and an inverted focus rectangle inverts it. Writes into background.
void LayOverBackground(const uint32_t* onBlack, const uint32_t* onWhite, uint32_t* background,
                       size_t count);

bool IsClassName(HWND window, const wchar_t* name);
bool HasScrollBar(HWND window);
bool HasFrame(HWND window);
bool IsOwnerDrawListBox(HWND window);

// The client area's place within the window rectangle (window coordinates).
RECT ClientInWindow(HWND window);
// The client area together with the visible scroll bars, in window coordinates.
RECT InnerRect(HWND window);
// A backdrop of the whole window with white at highlightAlpha over its client area; hand it back
// with ReleaseControlBackdrop.
HDC ListBackgroundDC(HWND window);
// The visible scroll bars (and the corner between two), in screen coordinates, for the default
// non-client painting; null when there is none. The caller deletes it.
HRGN ScrollBarRegion(HWND window);
// WM_NCPAINT by the system for the scroll bars alone; the frame around them stays the skin's.
LRESULT PaintScrollBarsOnly(HWND window, LPARAM lParam);
// The control's own DC with every visible child left out.
ChildFreeWindowDc ChildExcludedDC(HWND window);
void InvalidateVisibleChildren(HWND window);

}  // namespace skin::controls
