// A GDI+ graphics path.
#pragma once

#include "graphics/gfx_object.h"
#include "graphics/gfx_types.h"

namespace graphics {

class GfxPath : public GfxObject<GfxPath, Gdiplus::GpPath> {
 public:
  GfxPath() = default;
  ~GfxPath() { Delete(); }
  GfxPath(GfxPath&&) noexcept = default;
  GfxPath& operator=(GfxPath&&) noexcept = default;

  // Fill mode 0 alternate, 1 winding.
  bool Create(int32_t fillMode = 0);
  bool Delete();
  bool Reset();
  bool StartFigure();
  bool CloseFigure();
  bool AddLine(float x1, float y1, float x2, float y2);
  bool AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool AddRectangle(float x, float y, float width, float height);
  bool AddEllipse(float x, float y, float width, float height);
  bool AddPolygon(const GfxPointF* points, int32_t count);
  // Number of points, 0 on failure.
  int32_t GetPointCount() const;
  bool GetBounds(GfxRectF* bounds) const;
};

}  // namespace graphics
