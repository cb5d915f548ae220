// The gallery's controls: one of every kind the skin paints, in the states worth seeing.
#pragma once

#include <windows.h>

#include <vector>

namespace gallery {

struct GalleryUnits {
  std::vector<HWND> panels;          // made panels once the window is skinned
  std::vector<HWND> flatButtons;     // given the engine's flat style
  std::vector<HWND> textButtons;     // given the engine's text style
  HWND commonControl = nullptr;      // handed to the engine on its own
  std::vector<HWND> alreadySkinned;  // handed to the engine on their own after their skin
  HWND roundedPanel = nullptr;       // a panel with a rounded translucent overlay
  HWND plainPanel = nullptr;         // a panel without one
  HWND focus = nullptr;              // the control that shows the focus
};

// Creates the controls on the window (before it is skinned, so the attach finds them).
GalleryUnits CreateGalleryUnits(HWND window);

}  // namespace gallery
