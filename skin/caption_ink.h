// Caption text and caption-button glyphs that read over whatever picture lies behind them: what
// the frame's back buffer holds there, and a glyph recoloured where its own colour would not do.
#pragma once

#include <windows.h>

#include <optional>

#include "graphics/gfx_image.h"
#include "skin/contrast.h"

namespace skin {

// The tones of what the DC holds in the area.
BackgroundTones TonesBehind(HDC source, const RECT& area);

// The glyph in black or white where its own colour (the average of its visible pixels) would
// not read over `behind`; nothing where it does.
std::optional<graphics::GfxBitmap> ReadableGlyph(const graphics::GfxBitmap& glyph,
                                                 BackgroundTones behind);

}  // namespace skin
