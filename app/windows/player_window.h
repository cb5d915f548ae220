// The main window PlayerWindow: its units, its creation handler and its event dispatch.
#pragma once

#include <windows.h>

#include "app/windows/player_units.h"

namespace app {

// Registers the class and creates the window; the creation handler runs inside, then the window
// is shown. Returns false when the window could not be made.
bool CreatePlayerWindow();

// The units of the one main window (empty handles before it exists).
PlayerUnits& Units();

}  // namespace app
