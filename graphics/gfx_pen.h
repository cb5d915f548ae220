// A GDI+ pen.
#pragma once

#include "graphics/gfx_object.h"
#include "graphics/gfx_types.h"

namespace graphics {

class GfxBrush;

class GfxPen : public GfxObject<GfxPen, Gdiplus::GpPen> {
 public:
  GfxPen() = default;
  ~GfxPen() { Delete(); }
  GfxPen(GfxPen&&) noexcept = default;
  GfxPen& operator=(GfxPen&&) noexcept = default;

  bool Create(Argb colour, float width = 1, int32_t unit = kUnitWorld);
  bool CreateFromBrush(const GfxBrush& brush, float width = 1, int32_t unit = kUnitWorld);
  bool SetWidth(float width);
  bool GetWidth(float* width) const;
  bool Delete();
};

}  // namespace graphics
