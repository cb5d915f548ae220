// The fonts a skinned window's controls and hints hold, remade when the window's DPI changes.
#pragma once

#include <windows.h>

namespace skin {

// Every descendant of the top-level window that holds a font (WM_GETFONT), and every tooltip
// whose tools belong to it, gets that font remade for `toDpi` (a font not made by
// graphics::FontForDpi is taken to be made for `fromDpi`). Nothing is repainted here.
void RefontWindow(HWND top, int fromDpi, int toDpi);

}  // namespace skin
