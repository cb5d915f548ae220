// The application's program-wide variables; the skin engine keeps its own state itself.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/catalogue_client.h"

namespace skin {
class SkinEngine;
}

namespace app {

using catalogue::songAddress;      // the address the catalogue client appended last
extern int32_t replayPending;      // play the song again at the next loop tick
extern std::string replayAddress;  // what the loop tick hands the player on a replay
extern int32_t advancePending;     // move to the next song at the next loop tick
extern int32_t currentSongIndex;   // index of the playing song in both list boxes
// The one skin engine: made at process start, destroyed by the exit routine.
extern skin::SkinEngine* skinEngine;

}  // namespace app
