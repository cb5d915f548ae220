// The main window's creation handler: the start-up steps with the loading window's progress.
#pragma once

#include "app/player_units.h"

namespace app {

// Runs the steps in order; a missing data file or picture shows its message and ends the
// program (exit code 0) before the main window is ever shown.
void RunCreationHandler(PlayerUnits& units);

}  // namespace app
