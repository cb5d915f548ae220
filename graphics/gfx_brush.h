// GDI+ brushes: the common base and the solid, linear-gradient and path-gradient kinds.
#pragma once

#include "graphics/gfx_object.h"
#include "graphics/gfx_types.h"

namespace graphics {

class GfxPath;

class GfxBrush : public GfxObject<GfxBrush, Gdiplus::GpBrush> {
 public:
  ~GfxBrush() { Delete(); }
  bool Delete();

 protected:
  GfxBrush() = default;
  GfxBrush(GfxBrush&&) noexcept = default;
  GfxBrush& operator=(GfxBrush&&) noexcept = default;
};

class GfxSolidBrush : public GfxBrush {
 public:
  GfxSolidBrush() = default;
  GfxSolidBrush(GfxSolidBrush&&) noexcept = default;
  GfxSolidBrush& operator=(GfxSolidBrush&&) noexcept = default;

  bool Create(Argb colour);
  bool SetColor(Argb colour);
  bool GetColor(Argb* colour) const;
};

class GfxLinearBrush : public GfxBrush {
 public:
  GfxLinearBrush() = default;
  GfxLinearBrush(GfxLinearBrush&&) noexcept = default;
  GfxLinearBrush& operator=(GfxLinearBrush&&) noexcept = default;

  // Wrap mode tile.
  bool Create(const GfxPointF& start, const GfxPointF& end, Argb startColour, Argb endColour);
  bool SetPresetBlend(const Argb* colours, const float* positions, int32_t count);
  bool SetLinearBlend(float focus, float scale);
};

class GfxPathBrush : public GfxBrush {
 public:
  GfxPathBrush() = default;
  GfxPathBrush(GfxPathBrush&&) noexcept = default;
  GfxPathBrush& operator=(GfxPathBrush&&) noexcept = default;

  bool CreateFromPath(const GfxPath& path);
  bool SetCenterColor(Argb colour);
  bool SetCenterPoint(const GfxPointF& point);
  bool SetSurroundColors(const Argb* colours, int32_t count);
};

}  // namespace graphics
