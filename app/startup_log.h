// How long each start-up step takes, for the start-up benchmark. Nothing is measured or
// written unless the environment variable VELORY_STARTUP_LOG names a file.
#pragma once

namespace app {

// Appends "<ms since the process was created>\t<ms since the last step>\t<step>" to the file.
void LogStartupStep(const char* step);

}  // namespace app
