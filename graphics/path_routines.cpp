#include "graphics/path_routines.h"

#include <algorithm>

#include "graphics/gdiplus_status.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_path.h"
#include "graphics/gfx_pen.h"

namespace graphics {

namespace {

float ClampRadius(float r) { return std::clamp(r, 1.0f, 100.0f); }

}  // namespace

bool AddRoundRect(GfxPath& path, float x, float y, float width, float height, float r) {
  r = ClampRadius(r);
  // A figure of its own, so that it never joins what the path held before.
  bool ok = path.StartFigure();
  ok = path.AddArc(x + width - r, y, r, r, 270, 90) && ok;
  ok = path.AddArc(x + width - r, y + height - r, r, r, 0, 90) && ok;
  ok = path.AddArc(x, y + height - r, r, r, 90, 90) && ok;
  ok = path.AddArc(x, y, r, r, 180, 90) && ok;
  return path.CloseFigure() && ok;
}

bool AddTopRoundRect(GfxPath& path, float x, float y, float width, float height, float r) {
  r = ClampRadius(r);
  bool ok = path.StartFigure();
  ok = path.AddArc(x + width - r, y, r, r, 270, 90) && ok;
  ok = path.AddLine(x + width, y + height, x, y + height) && ok;
  ok = path.AddArc(x, y, r, r, 180, 90) && ok;
  return path.CloseFigure() && ok;
}

Argb ArgbFromColorref(COLORREF colour, int32_t alpha, bool useAlpha) {
  const uint32_t a = useAlpha ? static_cast<uint32_t>(std::clamp(alpha, 0, 255)) : 255u;
  const uint32_t red = GetRValue(colour);
  const uint32_t green = GetGValue(colour);
  const uint32_t blue = GetBValue(colour);
  return (a << 24) | (red << 16) | (green << 8) | blue;
}

bool StrokePath(GfxGraphics& graphics, const GfxPath& path, float width, COLORREF colour,
                int32_t alpha) {
  GfxPen pen;
  if (!pen.Create(ArgbFromColorref(colour, alpha, true), width)) return false;
  const bool ok = graphics.DrawPath(pen, path);
  const int32_t status = lastGdiplusStatus;
  pen.Delete();
  lastGdiplusStatus = status;  // the drawing's status, not the clean-up's
  return ok;
}

}  // namespace graphics
