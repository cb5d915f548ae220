// Headers: the standalone "SysHeader32" children and the header of each list view. Items are
// glass faces like push buttons, lit under the pointer, sunk while pressed, with their icons.
#pragma once

#include <windows.h>

#include <cstdint>

#include "skin/window_record.h"

namespace skin::controls {

void AttachHeaders(WindowSkinRecord* ownerRecord, HWND parent);
// Every item onto the DC; hot and pressed are item numbers, -1 for none.
void PaintHeader(HWND header, HDC dc, int32_t hotItem, int32_t pressedItem);

}  // namespace skin::controls
