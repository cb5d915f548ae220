// The off-screen surface every control face is composed on: a copy of what lies behind the
// control, a GDI+ graphics object over it, and one BitBlt to the target when it is done.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/gfx_graphics.h"
#include "skin/controls/face_layers.h"

namespace skin::controls {

class FaceCanvas {
 public:
  // The backdrop of the rectangle (control client coordinates); drawing happens at (0, 0).
  FaceCanvas(HWND control, const RECT& rect);
  ~FaceCanvas();
  FaceCanvas(const FaceCanvas&) = delete;
  FaceCanvas& operator=(const FaceCanvas&) = delete;

  bool ok() const { return ok_; }
  graphics::GfxGraphics& g() { return graphics_; }
  HDC dc() const { return backdrop_; }
  float width() const { return static_cast<float>(width_); }
  float height() const { return static_cast<float>(height_); }
  int32_t widthPx() const { return width_; }
  int32_t heightPx() const { return height_; }
  // Ends the drawing and copies the face to the target at the rectangle, once.
  void CopyTo(HDC target);

 private:
  HWND control_;
  RECT rect_;
  int32_t width_;
  int32_t height_;
  HDC backdrop_;
  graphics::GfxGraphics graphics_;
  bool ok_ = false;
  bool copied_ = false;
};

// Tells the paint observer, where one is installed, what a painter composed.
void NoteFace(HWND window, UINT state, const std::vector<Layer>& layers);

// The caption of a control in its font: face, size, style from its record, the colour from its
// Kj_Ztys property, made readable over what `surface` (the DC that g draws on) holds under the
// text; alignment and line alignment 0 near, 1 centre, 2 far. A dimmed caption is a disabled one.
struct CaptionStyle {
  std::wstring face;
  int32_t size = 0;
  int32_t style = 0;
  int32_t unit = 0;
  int32_t alignment = 1;
  int32_t lineAlignment = 1;
  bool dimmed = false;
};
// Returns where the text went (the layout when it could not be measured); empty for no text.
graphics::GfxRectF DrawCaptionText(graphics::GfxGraphics& g, HDC surface, HWND control,
                                   const std::wstring& text, const CaptionStyle& style,
                                   const graphics::GfxRectF& layout);

}  // namespace skin::controls
