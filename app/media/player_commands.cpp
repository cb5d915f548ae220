#include "app/media/player_commands.h"

namespace app {

PlayerCommand CommandForAppCommand(int appCommand) {
  switch (appCommand) {
    case APPCOMMAND_MEDIA_PLAY_PAUSE:
      return PlayerCommand::kPlayPause;
    case APPCOMMAND_MEDIA_PLAY:
      return PlayerCommand::kPlay;
    case APPCOMMAND_MEDIA_PAUSE:
      return PlayerCommand::kPause;
    case APPCOMMAND_MEDIA_STOP:
      return PlayerCommand::kStop;
    case APPCOMMAND_MEDIA_NEXTTRACK:
      return PlayerCommand::kNext;
    case APPCOMMAND_MEDIA_PREVIOUSTRACK:
      return PlayerCommand::kPrevious;
    case APPCOMMAND_VOLUME_UP:
      return PlayerCommand::kVolumeUp;
    case APPCOMMAND_VOLUME_DOWN:
      return PlayerCommand::kVolumeDown;
    case APPCOMMAND_VOLUME_MUTE:
      return PlayerCommand::kMute;
    default:
      return PlayerCommand::kNone;
  }
}

PlayerCommand CommandForMediaKey(UINT virtualKey) {
  switch (virtualKey) {
    case VK_MEDIA_PLAY_PAUSE:
      return PlayerCommand::kPlayPause;
    case VK_MEDIA_NEXT_TRACK:
      return PlayerCommand::kNext;
    case VK_MEDIA_PREV_TRACK:
      return PlayerCommand::kPrevious;
    case VK_MEDIA_STOP:
      return PlayerCommand::kStop;
    default:
      return PlayerCommand::kNone;
  }
}

// The key itself is the hot key's identifier: each is registered once per window.
int RegisterMediaKeys(HWND window) {
  int got = 0;
  for (UINT key : kGlobalMediaKeys) {
    if (RegisterHotKey(window, static_cast<int>(key), 0, key)) ++got;
  }
  return got;
}

void UnregisterMediaKeys(HWND window) {
  for (UINT key : kGlobalMediaKeys) UnregisterHotKey(window, static_cast<int>(key));
}

}  // namespace app
