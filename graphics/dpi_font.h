// Fonts remade for another DPI. Every font a window or control holds goes through here when its
// window changes DPI, so that a font taken to another DPI and back is the very handle it was.
#pragma once

#include <windows.h>

namespace graphics {

// The height or width of a LOGFONT made for `fromDpi`, at `toDpi` (rounded as MulDiv does).
int ScaleFontLength(int length, int fromDpi, int toDpi);

// `font`, taken to be made for `fromDpi`, at `toDpi`. A font made here starts from the font and
// DPI it came from, whatever `fromDpi` says, so the call can be repeated without growing the
// font again; asked for that DPI, the original handle comes back. Fonts made here live as long
// as the process (one per font and DPI). Null or an unreadable font comes back as given.
HFONT FontForDpi(HFONT font, int fromDpi, int toDpi);

}  // namespace graphics
