// Text on a translucent light card laid over the background picture behind a window, as the skin
// lays its lists: dark, or white where the picture makes the card too dark for dark text.
#pragma once

#include <windows.h>

#include <functional>

namespace app {

struct CardShape {
  int inset;             // between the window's edges and the card's
  int height;            // of the card from the window's top, inset included
  float radius;          // of its corners
  int washAlpha = 0x70;  // of the white it lays over the picture
};

// Composes off-screen and puts the window's whole client area on `target` at once; `text` draws
// on the composing DC, whose text colour and mode are set for it.
void PaintTextCard(HWND window, HDC target, const CardShape& shape,
                   const std::function<void(HDC dc, int width)>& text);

}  // namespace app
