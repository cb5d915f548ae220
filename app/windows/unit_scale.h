// The player's units at a window's DPI: the design table is in pixels at 96 dpi.
#pragma once

#include <windows.h>

#include "app/windows/player_units.h"

namespace app {

RECT UnitRect(const UnitGeometry& design, int dpi);
UnitGeometry ScaledUnit(const UnitGeometry& design, int dpi);

// The units' font (the system's GUI font) at that DPI. The font stays for the life of the
// process; asking again for a DPI gives the same handle.
HFONT UnitFont(int dpi);

// Lays the player's units out for `dpi` (from `oldDpi`): sizes from the design table, the
// panel's position (the user's, not the design's) scaled, every unit given the font.
void ScaleUnits(const PlayerUnits& units, int oldDpi, int dpi);

}  // namespace app
