// What a loop-timer tick did, in the words the event log uses.
#pragma once

#include "catalogue/playlist.h"

namespace app {

const char* TickText(catalogue::Playlist::Tick tick);

}  // namespace app
