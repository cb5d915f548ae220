// Progress bars painted whole by the skin: a rounded trough over the picture and a rounded bar in
// the accent colour, horizontal (growing from the left) or vertical (growing from the bottom).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "graphics/gfx_image.h"
#include "graphics/gfx_types.h"
#include "skin/window_record.h"

namespace skin::controls {

struct ProgressSkin : ControlRecord {
  int32_t vertical = 0;
  // The outline and trough, which stay while the position moves: drawn once per size and laid
  // over the backdrop at every paint (a bar is repainted at every step of a start-up).
  std::unique_ptr<graphics::GfxBitmap> trough;
  int32_t troughWidth = 0, troughHeight = 0, troughVertical = -1;
  void ReleaseGraphics() override { trough.reset(); }
};

// Whole pixels of a track `length` long that pos fills between low and high, rounded down and
// kept within the track; an empty range (high equal to low) fills nothing.
int32_t ProgressFilled(int32_t pos, int32_t low, int32_t high, int32_t length);
// The bar of a w x h control with that many pixels filled; zero width or height when nothing
// is drawn.
graphics::GfxRectF ProgressBarShape(int32_t w, int32_t h, bool vertical, int32_t filled);

void AttachProgressBars(WindowSkinRecord* ownerRecord, HWND parent);
// Paints the whole control onto target, or onto its own window DC without one.
void PaintProgressBar(HWND bar, HDC target = nullptr);

ProgressSkin* ProgressSkinOf(HWND window);

}  // namespace skin::controls
