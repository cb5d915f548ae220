// Which language the program speaks: chosen at start, switched from the tray menu and kept in
// config\language.txt.
#pragma once

#include <windows.h>

#include "app/data/language.h"
#include "app/windows/player_units.h"

namespace app {

// The kept choice, or the user interface language's when there is none; the skin is told its
// face and hints. Before any window is made.
void ChooseStartLanguage();

// The tray menu's items, in the program's language.
void FillTrayMenu(HMENU menu);

// Speaks the other language from now on: keeps the choice, and every unit, the menu, the tray
// tip and the song list take the new texts at once.
void SwitchLanguage(PlayerUnits& units);

}  // namespace app
