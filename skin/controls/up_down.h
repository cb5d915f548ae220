// Up-down controls: two small glass halves with arrows; the half under the mouse lights up and
// the half being pressed shows its pressed face.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "skin/controls/glyph_pictures.h"
#include "skin/window_record.h"

namespace graphics {
class GfxBitmap;
}

namespace skin::controls {

struct UpDownSkin : ControlRecord {
  int32_t hotPart = -1;  // 0 upper or left, 1 lower or right, -1 none
  int32_t pressed = 0;
  int32_t horizontal = 0;
  LPARAM pressedPoint = 0;
  GlyphPictures<2> arrows;
  // Set beside its buddy, the width the control gave itself, and the window's DPI then.
  int32_t naturalWidth = 0;
  int32_t naturalDpi = 0;
  void ReleaseGraphics() override { arrows.Release(); }
};

// The half of a control of that size under the point (client coordinates): 0, 1, or -1 when
// the point is in neither.
int32_t HalfAt(SIZE size, bool horizontal, POINT point);
// The rectangle of a half (0 or 1), in the control's coordinates.
RECT HalfRect(SIZE size, bool horizontal, int32_t half);

enum class HalfFace { kNormal, kHot, kPressed };
// What each half shows: pressed wins over hot on the half the press went down on.
std::array<HalfFace, 2> HalfFaces(const UpDownSkin& control, SIZE size);
// The state noted for a face: each half's kStateHot / kStatePressed bits, the second's shifted
// left by 8.
UINT NotedState(const std::array<HalfFace, 2>& faces);

void AttachUpDowns(WindowSkinRecord* ownerRecord, HWND parent);
// The face onto the control's window DC, hot as its record says.
void PaintUpDown(HWND control);
// The face onto a DC holding the control's window area.
void PaintUpDownOn(HWND window, HDC target, bool hot);

UpDownSkin* UpDownOf(HWND window);

}  // namespace skin::controls
