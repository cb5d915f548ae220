// Headers: the standalone "SysHeader32" children and the header of each list view. Items are
// glass faces like push buttons, lit under the pointer, sunk while pressed, with their icons.
#pragma once

#include <windows.h>

#include <cstdint>

namespace skin::controls {

void AttachHeaders(int32_t windowIndex, HWND parent);
// Every item onto the DC; hot and pressed are item numbers, -1 for none.
void PaintHeader(HWND header, HDC dc, int32_t hotItem, int32_t pressedItem);

}  // namespace skin::controls
