// The fonts the frame draws its texts in.
#pragma once

#include <string>

#include "graphics/gfx_font.h"

namespace skin {

// The skin's texts are sized in pixels.
inline constexpr int32_t kSkinFontUnit = graphics::kUnitPixel;

// The named font, or the generic sans-serif one when the name is not installed (as "宋体" may
// not be), so that a caption never goes missing. Style bit 1 is bold.
bool CreateSkinFont(graphics::GfxFont& font, const std::string& name, int32_t size,
                    int32_t style);

}  // namespace skin
