#include "graphics/gfx_path.h"

#include "graphics/gdiplus_status.h"

namespace graphics {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

bool GfxPath::Create(int32_t fillMode) {
  Delete();
  GpPath* path = nullptr;
  const GpStatus status = GdipCreatePath(static_cast<GpFillMode>(fillMode), &path);
  SetHandle(status == Ok ? path : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxPath::Delete() {
  if (!handle_) return false;
  return RecordGdiplusStatus(GdipDeletePath(TakeHandle()));
}

bool GfxPath::Reset() { return RecordGdiplusStatus(GdipResetPath(handle_)); }

bool GfxPath::StartFigure() { return RecordGdiplusStatus(GdipStartPathFigure(handle_)); }

bool GfxPath::CloseFigure() { return RecordGdiplusStatus(GdipClosePathFigure(handle_)); }

bool GfxPath::AddLine(float x1, float y1, float x2, float y2) {
  return RecordGdiplusStatus(GdipAddPathLine(handle_, x1, y1, x2, y2));
}

bool GfxPath::AddArc(float x, float y, float width, float height, float startAngle,
                     float sweepAngle) {
  return RecordGdiplusStatus(GdipAddPathArc(handle_, x, y, width, height, startAngle, sweepAngle));
}

bool GfxPath::AddRectangle(float x, float y, float width, float height) {
  return RecordGdiplusStatus(GdipAddPathRectangle(handle_, x, y, width, height));
}

bool GfxPath::AddEllipse(float x, float y, float width, float height) {
  return RecordGdiplusStatus(GdipAddPathEllipse(handle_, x, y, width, height));
}

bool GfxPath::AddPolygon(const GfxPointF* points, int32_t count) {
  static_assert(sizeof(GfxPointF) == sizeof(PointF));
  return RecordGdiplusStatus(
      GdipAddPathPolygon(handle_, reinterpret_cast<const PointF*>(points), count));
}

int32_t GfxPath::GetPointCount() const {
  INT count = 0;
  return RecordGdiplusStatus(GdipGetPointCount(handle_, &count)) ? count : 0;
}

bool GfxPath::GetBounds(GfxRectF* bounds) const {
  RectF rect;
  const bool ok = RecordGdiplusStatus(GdipGetPathWorldBounds(handle_, &rect, nullptr, nullptr));
  if (bounds) *bounds = ok ? GfxRectF{rect.X, rect.Y, rect.Width, rect.Height} : GfxRectF{};
  return ok;
}

}  // namespace graphics
