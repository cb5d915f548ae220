// Edits: a thin frame in the edit's non-client area over the window's picture, and the picture
// under the text while the wash is on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "graphics/gfx_graphics.h"
#include "skin/window_record.h"

namespace skin::controls {

struct EditSkin : ControlRecord {
  int32_t mouseDown = 0;
};

// Whether a mouse move over an edit paints it hot now; records it as the hot one when it does.
bool TakeEditHover(WindowSkinRecord& window, int32_t slot, HWND parent);

// The frame surrounds the client area with its scroll bars (window coordinates).
RECT FramedArea(HWND window);
// The window rectangle moved to (0, 0), and a screen rectangle in the window's coordinates.
RECT WindowSize(HWND window);
RECT ToWindowCoordinates(HWND window, RECT screen);
// The edit and combo faces' white ring: the wash's strength while it is on, opaque otherwise.
void FillRing(graphics::GfxGraphics& g, float w, float h, const SkinSettings& settings);
void StrokeRectangle(graphics::GfxGraphics& g, float x, float y, float w, float h, COLORREF colour,
                     int32_t alpha, float width);
bool WashOn(HWND window);

void AttachEdit(WindowSkinRecord* ownerRecord, HWND edit);

// Omitted flags come from the record. The face state noted is kStateHot / kStateFocus.
void PaintEditFrame(HWND window, std::optional<int32_t> hot = {},
                    std::optional<int32_t> focused = {});

EditSkin* EditOf(HWND window);

}  // namespace skin::controls
