#include "graphics/gfx_pen.h"

#include "graphics/gdiplus_status.h"
#include "graphics/gfx_brush.h"

namespace graphics {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

bool GfxPen::Create(Argb colour, float width, int32_t unit) {
  Delete();
  GpPen* pen = nullptr;
  const GpStatus status = GdipCreatePen1(colour, width, static_cast<GpUnit>(unit), &pen);
  SetHandle(status == Ok ? pen : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxPen::CreateFromBrush(const GfxBrush& brush, float width, int32_t unit) {
  Delete();
  GpPen* pen = nullptr;
  const GpStatus status = GdipCreatePen2(brush.GetHandle(), width, static_cast<GpUnit>(unit), &pen);
  SetHandle(status == Ok ? pen : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxPen::SetWidth(float width) { return RecordGdiplusStatus(GdipSetPenWidth(handle_, width)); }

bool GfxPen::GetWidth(float* width) const {
  REAL value = 0;
  const bool ok = RecordGdiplusStatus(GdipGetPenWidth(handle_, &value));
  if (width) *width = ok ? value : 0;
  return ok;
}

bool GfxPen::Delete() {
  if (!handle_) return false;
  return RecordGdiplusStatus(GdipDeletePen(TakeHandle()));
}

}  // namespace graphics
