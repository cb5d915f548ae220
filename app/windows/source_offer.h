// Where the music source dialog is offered: the tray menu, a double-click on the explanation
// where no song came, and the first start, when nothing answered and no source was ever set.
#pragma once

#include <windows.h>

#include "app/windows/player_units.h"

namespace app {

// Opens the dialog over the main window, or brings the open one forward.
void OfferSourceDialog(const PlayerUnits& units);

// A WM_COMMAND that asks for the dialog (the menu item, a double-click on the explanation);
// true when it was one and the dialog was offered.
bool OnSourceCommand(const PlayerUnits& units, WPARAM wParam, LPARAM lParam);

// After the start-up: where no song came and no source was ever set, the dialog shows once the
// window does.
void OfferSourceAtStart(const PlayerUnits& units);

}  // namespace app
