// What the player can be told to do from the keyboard, the media keys and the transport bar,
// and which application command or media key means which.
#pragma once

#include <windows.h>

namespace app {

enum class PlayerCommand {
  kNone,
  kPlayPause,
  kPlay,
  kPause,
  kStop,
  kNext,
  kPrevious,
  kVolumeUp,
  kVolumeDown,
  kMute,  // turns mute on and off
};

// One press of a volume key moves the volume by this much (of 100).
inline constexpr int kVolumeStep = 5;

// The command of a WM_APPCOMMAND (the value GET_APPCOMMAND_LPARAM gives); kNone for the rest.
PlayerCommand CommandForAppCommand(int appCommand);

// The media keys the player holds while it runs, for WM_HOTKEY; kNone for any other key.
PlayerCommand CommandForMediaKey(UINT virtualKey);
inline constexpr UINT kGlobalMediaKeys[] = {VK_MEDIA_PLAY_PAUSE, VK_MEDIA_NEXT_TRACK,
                                            VK_MEDIA_PREV_TRACK, VK_MEDIA_STOP};

// Holds the media keys for `window` while it lives, each as far as no other program holds it
// already: a key taken elsewhere stays there, quietly. Returns how many it got.
int RegisterMediaKeys(HWND window);
void UnregisterMediaKeys(HWND window);

}  // namespace app
