// List boxes, the lists of simple combo boxes, list views, tree views, IP-address fields and
// date-time pickers: a thin frame over the picture and, while highlightEnabled is on, the picture
// under a white wash behind their items. The controls still draw their items and scroll bars.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/controls/face_layers.h"
#include "skin/window_record.h"

namespace skin::controls {

struct ListSkin : ControlRecord {
  int32_t keyScrolling = 0;
  std::optional<COLORREF> ink;  // the items' text colour over what was last laid behind them
};

// The frame line for a w x h window: where, how wide, and in which colour.
struct ListFrameStroke {
  float x, y, width, height;
  float pen;
  bool accent;  // accent colour, else black
  int32_t alpha;
  Layer layer;  // what the tests and benchmark see of it
};
// The keyboard's focus cue, when shown, wins over hot and focused.
ListFrameStroke ListFrameStrokeFor(int32_t w, int32_t h, bool hot, bool focused, bool cue = false);

void AttachListControls(WindowSkinRecord* ownerRecord, HWND parent);
// Paints the frame on the window's own DC, hot and focused as the record says.
void PaintListFrame(HWND list);
// The frame composed over the backdrop and laid onto target (window coordinates) around
// InnerRect; nothing for a list without a frame style or the list of a combo box.
void DrawListFrame(HWND window, HDC target, bool hot, bool focused);

// The record of an attached list-type control; null when the window is not one.
ListSkin* ListSkinOf(HWND window);
// The colour a list draws its items in over its washed picture: readable over what lay behind
// them at the last paint, its Kj_Ztys colour before the first.
COLORREF ListTextColour(HWND list);

}  // namespace skin::controls
