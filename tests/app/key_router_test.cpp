// Which keys the player takes for itself and which it leaves to the focused control.
#include "app/key_router.h"

#include <gtest/gtest.h>

namespace {

using app::FocusKind;
using app::KeyAction;
using app::PlayerCommand;

TEST(KeyRouter, TakesItsKeysAndLeavesEditsAltAndOtherCombinationsAlone) {
  const app::KeyModifiers none, ctrl{true}, shift{false, true}, alt{false, false, true},
      ctrlShift{true, true};
  const struct {
    UINT key;
    app::KeyModifiers m;
    FocusKind focus;
    KeyAction action;
    PlayerCommand command;
  } rows[] = {
      {VK_RETURN, none, FocusKind::kSongList, KeyAction::kPlaySelected, PlayerCommand::kNone},
      {VK_RETURN, none, FocusKind::kButton, KeyAction::kPress, PlayerCommand::kNone},
      {VK_RETURN, none, FocusKind::kRadio, KeyAction::kPress, PlayerCommand::kNone},
      {VK_RETURN, none, FocusKind::kOther, KeyAction::kPass, PlayerCommand::kNone},
      {VK_RETURN, none, FocusKind::kEdit, KeyAction::kPass, PlayerCommand::kNone},
      {VK_SPACE, none, FocusKind::kSongList, KeyAction::kCommand, PlayerCommand::kPlayPause},
      {VK_SPACE, none, FocusKind::kButton, KeyAction::kCommand, PlayerCommand::kPlayPause},
      {VK_SPACE, none, FocusKind::kOther, KeyAction::kCommand, PlayerCommand::kPlayPause},
      {VK_SPACE, none, FocusKind::kEdit, KeyAction::kPass, PlayerCommand::kNone},
      {VK_SPACE, ctrl, FocusKind::kSongList, KeyAction::kPass, PlayerCommand::kNone},
      {VK_RIGHT, ctrl, FocusKind::kSongList, KeyAction::kCommand, PlayerCommand::kNext},
      {VK_LEFT, ctrl, FocusKind::kOther, KeyAction::kCommand, PlayerCommand::kPrevious},
      {VK_LEFT, ctrl, FocusKind::kEdit, KeyAction::kPass, PlayerCommand::kNone},
      {VK_RIGHT, ctrlShift, FocusKind::kSongList, KeyAction::kPass, PlayerCommand::kNone},
      {VK_RIGHT, none, FocusKind::kOther, KeyAction::kPass, PlayerCommand::kNone},  // seek bar
      {VK_TAB, none, FocusKind::kEdit, KeyAction::kFocusNext, PlayerCommand::kNone},
      {VK_TAB, shift, FocusKind::kSongList, KeyAction::kFocusPrevious, PlayerCommand::kNone},
      {VK_TAB, ctrl, FocusKind::kSongList, KeyAction::kPass, PlayerCommand::kNone},
      {VK_UP, none, FocusKind::kRadio, KeyAction::kRadioPrevious, PlayerCommand::kNone},
      {VK_DOWN, none, FocusKind::kRadio, KeyAction::kRadioNext, PlayerCommand::kNone},
      {VK_DOWN, none, FocusKind::kSongList, KeyAction::kPass, PlayerCommand::kNone},
      {VK_F4, alt, FocusKind::kSongList, KeyAction::kPass, PlayerCommand::kNone},
      {VK_SPACE, alt, FocusKind::kOther, KeyAction::kPass, PlayerCommand::kNone},
  };
  for (const auto& r : rows) {
    const app::KeyOutcome got = app::OutcomeForKey(r.key, r.m, r.focus);
    EXPECT_EQ(got.action, r.action) << "key " << r.key << " focus " << static_cast<int>(r.focus);
    EXPECT_EQ(got.command, r.command) << "key " << r.key << " focus " << static_cast<int>(r.focus);
  }
}

}  // namespace
