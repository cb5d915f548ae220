// The main window's creation handler: the start-up steps with the loading window's progress.
#pragma once

#include <cstdint>
#include <vector>

#include "app/windows/player_units.h"

namespace app {

// Runs the steps in order; a missing data file or picture shows its message and ends the
// program (exit code 0) before the main window is ever shown.
void RunCreationHandler(PlayerUnits& units);

// The picture the main window was skinned with, for the program's later windows.
const std::vector<uint8_t>& StartupPicture();

}  // namespace app
