// Which move or size a left-button press on the frame starts, and which sizing cursor a point
// shows: the zones tested in a fixed order.
#pragma once

#include <windows.h>

#include "skin/window_record.h"

namespace skin {

enum class PressAction { kNone, kMove, kSize };

struct PressZone {
  PressAction action = PressAction::kNone;
  WPARAM sysCommand = 0;  // SC_SIZE plus the edge, for kSize
  LPCWSTR cursor = nullptr;
};

inline constexpr int32_t kSizingCorner = 10;

// The first of the twelve zones that matches a press at (x, y) in a client area whose right and
// bottom are width and height.
PressZone ZoneForPress(const WindowSkinRecord& record, int32_t frameMargin, int32_t x, int32_t y,
                       int32_t width, int32_t height);
// The sizing cursor of the point, or null: none at all while the window is not sizable.
LPCWSTR SizeCursorFor(const WindowSkinRecord& record, int32_t frameMargin, int32_t x, int32_t y,
                      int32_t width, int32_t height);

// Whether the skinned frame of `window` takes a left-button press at client point (x, y) as its
// own: a caption button, or a move or size it starts. False for a window without a skin.
bool FrameTakesPress(HWND window, int32_t x, int32_t y);

// A control lying over the frame's sizing edge would take the press that sizes the window (at
// a small size the panel covers every edge): a mouse move or left press there is readdressed
// to the frame, in its client coordinates. True when `msg` was changed.
bool RouteEdgeMouseToFrame(MSG& msg);

}  // namespace skin
