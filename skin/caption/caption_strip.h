// Geometry of the caption-button strip: placement, button rectangles, hit tests.
#pragma once

#include <windows.h>

#include "graphics/gfx_path.h"
#include "skin/window_record.h"

namespace skin {

// Sets stripWidth from the buttons (sum of widths, one pixel between buttons, 3 more) and puts
// the strip against the right edge, frameMargin in: the first placement when attaching.
void PlaceStrip(WindowSkinRecord& record, int32_t clientRight, int32_t frameMargin);
// stripX from the client's right edge and every button rectangle: buttons 27 pixels apart from
// stripX + 2, one pixel below stripY, 18 high, 40 wide for close and 26 for the others.
void LayoutStripGeometry(WindowSkinRecord& record, int32_t clientRight);
// The tool rectangle of a button: its rectangle rounded to whole pixels.
RECT ButtonToolRect(const CaptionButton& button);
// The number of the first button whose rectangle strictly contains the point, or 0.
int32_t HitTestCaptionButton(const WindowSkinRecord& record, int32_t x, int32_t y);
// The mouse-move strip test: stripX - 2 <= x <= stripX + stripWidth, 0 <= y <= stripHeight.
bool InButtonStrip(const WindowSkinRecord& record, int32_t x, int32_t y);
// The close button's shape: its rectangle with the top-right corner rounded by `radius`.
void CloseButtonShape(graphics::GfxPath& path, const graphics::GfxRectF& r, float radius);
// The number of the first maximize/restore button, or 0.
int32_t FindMaximizeButton(const WindowSkinRecord& record);

}  // namespace skin
