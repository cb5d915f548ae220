// The fonts the frame draws its texts in.
#pragma once

#include <string>

#include "graphics/gfx_font.h"

namespace skin {

// The skin's texts are sized in pixels.
inline constexpr int32_t kSkinFontUnit = graphics::kUnitPixel;

// The named font; when the name is not installed (as "宋体" may not be), the face the system's
// font mapper puts in its place, then the generic sans-serif one, so that a text never goes
// missing. Given the `text` to draw, a face that has its glyphs where that one lacks some
// (FaceWithGlyphs). Style bit 1 is bold.
bool CreateSkinFont(graphics::GfxFont& font, const std::wstring& name, int32_t size, int32_t style,
                    int32_t unit = kSkinFontUnit, const std::wstring& text = {});

}  // namespace skin
