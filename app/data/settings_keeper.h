// The remembered settings bound to the main window's units: given to them at start, and written
// back whenever they have changed since the last write.
#pragma once

#include "app/data/remembered_settings.h"
#include "app/windows/player_units.h"

namespace app {

class SettingsKeeper {
 public:
  void Restore(const PlayerUnits& units);
  // Cheap when nothing changed: the loop timer calls it at every tick.
  void Keep(const PlayerUnits& units);
  bool balloons() const { return balloons_; }
  // The tray menu's switch: flips it, ticks the item and writes it at once.
  void ToggleBalloons(const PlayerUnits& units);

 private:
  RememberedSettings saved_;
  bool balloons_ = false;
};

// The program's one keeper.
SettingsKeeper& Settings();

}  // namespace app
