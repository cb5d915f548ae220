// The button painters: the glass push button, the two engine-given push-button styles, the
// radio button and the check box. Each composes its face on the backdrop and copies it once.
#pragma once

#include <windows.h>

namespace skin::controls {

struct ButtonSkin;

// Face of an owner-drawn push button into the target at the rectangle (client coordinates).
void PaintPushButton(HWND window, HDC target, UINT state, const RECT& rect);
// Kind 1: a flat pill tinted with the accent colour. Kind 3: a bare caption that lights up.
void PaintFlatButton(HWND window, HDC target, UINT state, const RECT& rect);
void PaintTextButton(HWND window, HDC target, UINT state, const RECT& rect);
// The whole client area, on the given DC or, without one, on a DC of the window's own.
void PaintRadioButton(HWND window, UINT state, HDC target = nullptr);
void PaintCheckBox(HWND window, UINT state, HDC target = nullptr);

}  // namespace skin::controls
