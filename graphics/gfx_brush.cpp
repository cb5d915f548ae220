#include "graphics/gfx_brush.h"

#include "graphics/gdiplus_status.h"
#include "graphics/gfx_path.h"

namespace graphics {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// Argb is the fixed-width spelling of GDI+'s ARGB (a DWORD).
const ARGB* AsArgb(const Argb* colours) {
  static_assert(sizeof(Argb) == sizeof(ARGB));
  return reinterpret_cast<const ARGB*>(colours);
}

}  // namespace

bool GfxBrush::Delete() {
  if (!handle_) return false;
  return RecordGdiplusStatus(GdipDeleteBrush(TakeHandle()));
}

bool GfxSolidBrush::Create(Argb colour) {
  Delete();
  GpSolidFill* brush = nullptr;
  const GpStatus status = GdipCreateSolidFill(colour, &brush);
  SetHandle(status == Ok ? brush : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxSolidBrush::SetColor(Argb colour) {
  return RecordGdiplusStatus(GdipSetSolidFillColor(static_cast<GpSolidFill*>(handle_), colour));
}

bool GfxSolidBrush::GetColor(Argb* colour) const {
  ARGB value = 0;
  const bool ok =
      RecordGdiplusStatus(GdipGetSolidFillColor(static_cast<GpSolidFill*>(handle_), &value));
  if (colour) *colour = ok ? value : 0;
  return ok;
}

bool GfxLinearBrush::Create(const GfxPointF& start, const GfxPointF& end, Argb startColour,
                            Argb endColour) {
  Delete();
  const PointF from(start.x, start.y);
  const PointF to(end.x, end.y);
  GpLineGradient* brush = nullptr;
  const GpStatus status =
      GdipCreateLineBrush(&from, &to, startColour, endColour, WrapModeTile, &brush);
  SetHandle(status == Ok ? brush : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxLinearBrush::SetPresetBlend(const Argb* colours, const float* positions, int32_t count) {
  return RecordGdiplusStatus(GdipSetLinePresetBlend(static_cast<GpLineGradient*>(handle_),
                                                    AsArgb(colours), positions, count));
}

bool GfxLinearBrush::SetLinearBlend(float focus, float scale) {
  return RecordGdiplusStatus(
      GdipSetLineLinearBlend(static_cast<GpLineGradient*>(handle_), focus, scale));
}

bool GfxPathBrush::CreateFromPath(const GfxPath& path) {
  Delete();
  GpPathGradient* brush = nullptr;
  const GpStatus status = GdipCreatePathGradientFromPath(path.GetHandle(), &brush);
  SetHandle(status == Ok ? brush : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxPathBrush::SetCenterColor(Argb colour) {
  return RecordGdiplusStatus(
      GdipSetPathGradientCenterColor(static_cast<GpPathGradient*>(handle_), colour));
}

bool GfxPathBrush::SetCenterPoint(const GfxPointF& point) {
  const PointF centre(point.x, point.y);
  return RecordGdiplusStatus(
      GdipSetPathGradientCenterPoint(static_cast<GpPathGradient*>(handle_), &centre));
}

bool GfxPathBrush::SetSurroundColors(const Argb* colours, int32_t count) {
  INT used = count;
  return RecordGdiplusStatus(GdipSetPathGradientSurroundColorsWithCount(
      static_cast<GpPathGradient*>(handle_), AsArgb(colours), &used));
}

}  // namespace graphics
