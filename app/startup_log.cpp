#include "app/startup_log.h"

#include "app/announcer.h"

namespace app {

void LogStartupStep(const char* step) { Announce().Say("step ", step); }

}  // namespace app
