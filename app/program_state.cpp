#include "app/program_state.h"

namespace app {

int32_t replayPending = 0;
std::string replayAddress;
int32_t advancePending = 0;
int32_t currentSongIndex = 0;
skin::SkinEngine* skinEngine = nullptr;

}  // namespace app
