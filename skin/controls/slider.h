// Sliders: an optional rounded frame, a thin channel, tick marks, the selection range and a
// circular thumb, painted whole by the skin over the window's picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "graphics/gfx_types.h"
#include "skin/window_record.h"

namespace skin::controls {

enum TickSide : int32_t {
  kTicksTopOrLeft = 0,
  kTicksBottomOrRight = 1,
  kTicksBoth = 2,
  kTicksNone = 3,
};

struct SliderSkin : ControlRecord {
  int32_t vertical = 0;
  int32_t tickSide = kTicksBottomOrRight;
  int32_t selectionShown = 0;
  int32_t fixedThumb = 0;  // the skin fixed the thumb length for the window's DPI
  int32_t fitting = 0;
};

// Read once at attach time, in this order: no ticks, top/left, both, else bottom/right.
int32_t TickSideOf(LONG style);

// The channel as drawn: always lying along the slider's axis (a control may report a vertical
// channel as if it were horizontal), and 4 pixels thick, centred, while a selection is shown.
RECT ChannelToDraw(RECT channel, bool vertical, bool selectionShown);
// The thumb's circle: as wide as the thumb's narrower side, centred along the axis, across the
// axis at the end away from the ticks (centred with ticks on both sides or none).
graphics::GfxRectF ThumbCircle(const RECT& thumb, bool vertical, int32_t tickSide);
// Where positions lie along the channel: the thumb's centre runs from start + thumb / 2 to
// end - thumb / 2 over the range. An empty range puts everything at the first of them.
float PositionAlong(int32_t position, int32_t low, int32_t high, int32_t start, int32_t end,
                    int32_t thumbLength);

// Where tick marks go across the axis: 3-pixel spans just outside the thumb on its tick sides,
// as [from, to) in the across coordinate; none without ticks.
std::vector<std::pair<LONG, LONG>> TickSpans(const RECT& thumb, bool vertical, int32_t tickSide);

void AttachSliders(WindowSkinRecord* ownerRecord, HWND parent);
// The whole control onto its window DC. The face state noted is kStateHot.
void PaintSlider(HWND slider);
// The same onto a DC holding the slider's window area.
void PaintSliderOn(HWND slider, HDC target);

SliderSkin* SliderOf(HWND window);

}  // namespace skin::controls
