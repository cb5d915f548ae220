// A GDI+ string format.
#pragma once

#include "graphics/gfx_object.h"
#include "graphics/gfx_types.h"

namespace graphics {

class GfxStringFormat : public GfxObject<GfxStringFormat, Gdiplus::GpStringFormat> {
 public:
  GfxStringFormat() = default;
  ~GfxStringFormat() { Delete(); }
  GfxStringFormat(GfxStringFormat&&) noexcept = default;
  GfxStringFormat& operator=(GfxStringFormat&&) noexcept = default;

  bool Create(int32_t formatFlags = 0, int32_t language = 0);
  bool Delete();
  bool SetFormatFlags(int32_t flags);
  // 0 near, 1 centre, 2 far.
  bool SetAlignment(int32_t alignment);
  bool SetLineAlignment(int32_t alignment);
  bool SetTrimming(int32_t trimming);
  bool SetHotkeyPrefix(int32_t prefix);
};

}  // namespace graphics
