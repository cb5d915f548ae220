// Caption text and caption-button glyphs that read over whatever picture lies behind them: what
// the frame's back buffer holds there, and a glyph recoloured where its own colour would not do.
#pragma once

#include <windows.h>

#include <optional>

#include "graphics/gfx_image.h"
#include "skin/contrast/contrast.h"

namespace skin {

// The tones of what the DC holds in the area.
BackgroundTones TonesBehind(HDC source, const RECT& area);

// The colour to write text in over the area of what the DC holds: `stated` where it reads at
// kReadableContrast, black or white where it does not. Every text the skin lays over the picture
// takes its colour from here.
COLORREF ReadableTextColour(HDC backdrop, const RECT& area, COLORREF stated);
// The same over the whole of a bitmap that no DC holds.
COLORREF ReadableTextColourOn(HBITMAP backdrop, COLORREF stated);

// The caption text's colour and the edge drawn round it, one line out; an alpha of 0 draws none.
struct CaptionInk {
  COLORREF text, edge;
  BYTE edgeAlpha;
};
// The stated text and edge colours (the edge at alpha 150) where the text reads over both
// tones. Otherwise black or white as ReadableInk picks: light text keeps a dark edge, and dark
// text gets a light edge only where it does not read over both tones on its own, since a light
// halo round small dark glyphs blurs them.
CaptionInk CaptionInkFor(COLORREF statedText, COLORREF statedEdge, BackgroundTones behind);

// The glyph in black or white where its own colour (the average of its visible pixels) would
// not read over `behind`; nothing where it does.
std::optional<graphics::GfxBitmap> ReadableGlyph(const graphics::GfxBitmap& glyph,
                                                 BackgroundTones behind);

}  // namespace skin
