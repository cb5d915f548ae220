// How long each start-up step takes, for the start-up benchmark: announced (app/announcer.h) as
// "step <name>" after the time since the process was created, so nothing is measured or written
// unless VELORY_EVENT_LOG names a file.
#pragma once

namespace app {

void LogStartupStep(const char* step);

}  // namespace app
