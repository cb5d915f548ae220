#include "graphics/gfx_region.h"

#include "graphics/gdiplus_status.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_path.h"

namespace graphics {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

bool GfxRegion::Create() {
  Delete();
  GpRegion* region = nullptr;
  const GpStatus status = GdipCreateRegion(&region);
  SetHandle(status == Ok ? region : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxRegion::CreateFromRect(float x, float y, float width, float height) {
  Delete();
  const RectF rect(x, y, width, height);
  GpRegion* region = nullptr;
  const GpStatus status = GdipCreateRegionRect(&rect, &region);
  SetHandle(status == Ok ? region : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxRegion::CreateFromPath(const GfxPath& path) {
  Delete();
  GpRegion* region = nullptr;
  const GpStatus status = GdipCreateRegionPath(path.GetHandle(), &region);
  SetHandle(status == Ok ? region : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxRegion::Delete() {
  if (!handle_) return false;
  return RecordGdiplusStatus(GdipDeleteRegion(TakeHandle()));
}

HRGN GfxRegion::GetHrgn(const GfxGraphics& graphics) const {
  HRGN region = nullptr;
  return RecordGdiplusStatus(GdipGetRegionHRgn(handle_, graphics.GetHandle(), &region)) ? region
                                                                                        : nullptr;
}

bool GfxRegion::IsVisiblePoint(float x, float y, const GfxGraphics* graphics, bool* visible) const {
  BOOL result = FALSE;
  const bool ok = RecordGdiplusStatus(
      GdipIsVisibleRegionPoint(handle_, x, y, graphics ? graphics->GetHandle() : nullptr, &result));
  if (visible) *visible = ok && result;
  return ok;
}

}  // namespace graphics
