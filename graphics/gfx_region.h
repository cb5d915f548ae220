// A GDI+ region.
#pragma once

#include "graphics/gfx_object.h"
#include "graphics/gfx_types.h"

namespace graphics {

class GfxGraphics;
class GfxPath;

class GfxRegion : public GfxObject<GfxRegion, Gdiplus::GpRegion> {
 public:
  GfxRegion() = default;
  ~GfxRegion() { Delete(); }
  GfxRegion(GfxRegion&&) noexcept = default;
  GfxRegion& operator=(GfxRegion&&) noexcept = default;

  // An infinite region.
  bool Create();
  bool CreateFromRect(float x, float y, float width, float height);
  bool CreateFromPath(const GfxPath& path);
  bool Delete();
  // A GDI region owned by the caller; 0 on failure.
  HRGN GetHrgn(const GfxGraphics& graphics) const;
  bool IsVisiblePoint(float x, float y, const GfxGraphics* graphics, bool* visible) const;
};

}  // namespace graphics
