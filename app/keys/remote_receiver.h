// The running player's side of a second start: a WM_COPYDATA checked and acted on.
#pragma once

#include <windows.h>

#include "app/windows/player_units.h"

namespace app {

// The answer for the sender: kRemoteDone, kRemoteBusy while the window is still being made, or
// 0 for anything that is not a request we know (nothing is done then).
LRESULT OnRemoteCopyData(PlayerUnits& units, bool creating, const COPYDATASTRUCT* data);

}  // namespace app
