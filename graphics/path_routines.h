// The path and colour routines every painter of the skin uses.
#pragma once

#include "graphics/gfx_types.h"

namespace graphics {

class GfxGraphics;
class GfxPath;

// Appends a closed figure of four 90-degree arcs, each in an r x r box in one corner (top-right,
// bottom-right, bottom-left, top-left), joined by the sides. r is clamped to 1..100, so the
// visible corner radius is r / 2.
bool AddRoundRect(GfxPath& path, float x, float y, float width, float height, float r);
// The same shape with only the two upper corners rounded.
bool AddTopRoundRect(GfxPath& path, float x, float y, float width, float height, float r);
// COLORREF 0x00BBGGRR to ARGB 0xAARRGGBB; alpha is 255 when useAlpha is false.
Argb ArgbFromColorref(COLORREF colour, int32_t alpha = 255, bool useAlpha = true);
// Draws the path with a pen of that colour, alpha and width.
bool StrokePath(GfxGraphics& graphics, const GfxPath& path, float width, COLORREF colour,
                int32_t alpha = 255);

}  // namespace graphics
