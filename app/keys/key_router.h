// The main window's keys, taken from the message loop before the focused control sees them:
// Enter plays the selected song, Space pauses and resumes, Ctrl+Right and Ctrl+Left go to the
// next and the previous song, Tab and Shift+Tab move the focus through the units in order.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "app/media/player_commands.h"

namespace app {

// What has the focus, as far as the keys care. kHosted: inside the hosted browser or media
// control, which take their own keys.
enum class FocusKind { kSongList, kButton, kRadio, kEdit, kOther, kHosted };

enum class KeyAction {
  kPass,          // the focused control handles the key as usual
  kCommand,       // a player command
  kPlaySelected,  // as a double-click on the selected song
  kPress,         // clicks the focused button
  kFocusNext,
  kFocusPrevious,
  kRadioPrevious,  // moves to the other loop mode and checks it
  kRadioNext,
  kSwallow,  // taken, and nothing done
};

struct KeyOutcome {
  KeyAction action = KeyAction::kPass;
  PlayerCommand command = PlayerCommand::kNone;
};

struct KeyModifiers {
  bool ctrl = false, shift = false, alt = false;
  bool repeat = false;  // the key's auto-repeat (bit 30 of the message's lParam)
};

// A held key repeats no toggle; a held next or previous asks `stepReady` before each step.
KeyOutcome OutcomeForKey(UINT virtualKey, KeyModifiers modifiers, FocusKind focus,
                         bool stepReady = true);

// What the router acts on, set by the main window once its units exist.
struct KeyTargets {
  HWND window = nullptr;
  HWND songList = nullptr;
  // The tab order; hidden or disabled units are passed over.
  std::function<std::vector<HWND>()> tabOrder;
  std::function<void(PlayerCommand)> command;
  std::function<void()> playSelected;
  // The hosted controls' windows: keys inside them are theirs.
  std::function<std::vector<HWND>()> hosts;
  // Whether a held next or previous may step again: the song asked for last has started.
  std::function<bool()> stepReady;
};

// The router's state: what it acts on and the unit that had the focus when the window was left.
class KeyRouter {
 public:
  void SetTargets(KeyTargets targets);
  bool Route(const MSG& msg);
  void OnActivation(bool active);

 private:
  KeyTargets targets_;
  HWND lastFocus_ = nullptr;
};

// The application's router, below.
void SetKeyTargets(KeyTargets targets);

// Takes a key message meant for the main window or one of its units; true when it acted on it
// and the message must not be dispatched.
bool RouteKey(const MSG& msg);

// The main window's activation: deactivated, it remembers which unit had the focus; activated,
// it gives the focus back to that unit, or to the song list the first time, so the keys work
// without a click or a Tab first.
void OnMainWindowActivation(bool active);

}  // namespace app
