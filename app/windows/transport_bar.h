// The transport under the media unit's own face, where the control shows none (Wine): play and
// pause, stop, a seek bar that follows the song, and a volume bar with mute. Plain buttons and
// trackbars, so the skin paints them as it paints every other unit of the panel.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/media/media_player_unit.h"
#include "app/media/player_commands.h"

namespace app {

enum TransportId : int {
  kIdPlayPause = 130,
  kIdStop,
  kIdSeekBar,
  kIdVolumeBar,
  kIdMute,
};

// The seek bar counts tenths of a second.
inline constexpr int kSeekUnitsPerSecond = 10;

// The volume bar's text, which reads what the control reports: "音量 50"; "音量 ?" when it says
// nothing.
std::wstring VolumeText(int heardVolume);

class TransportBar {
 public:
  // Lays the bar over the lower part of `face` (a child of `parent`); commands go to `command`.
  TransportBar(HWND parent, HWND face, MediaPlayerUnit& player,
               std::function<void(PlayerCommand)> command, int dpi);
  ~TransportBar();
  TransportBar(const TransportBar&) = delete;
  TransportBar& operator=(const TransportBar&) = delete;

  // Places the bar over the lower part of `face` at `dpi`, with the units' font for it.
  void Layout(HWND face, int dpi);
  // Brings the buttons and bars up to what the player does now.
  void Refresh();
  // A unit's WM_COMMAND notification; true when it was the bar's.
  bool OnCommand(int unitId, int code);
  // A WM_HSCROLL from one of the bars; true when it was the bar's.
  bool OnScroll(HWND bar, int code);
  // Its units in tab order.
  std::vector<HWND> TabStops() const { return {playPause_, stop_, seek_, volume_, mute_}; }

 private:
  MediaPlayerUnit& player_;
  std::function<void(PlayerCommand)> command_;
  HWND playPause_ = nullptr, stop_ = nullptr, seek_ = nullptr, volume_ = nullptr, mute_ = nullptr;
  int seekRange_ = -1;
};

}  // namespace app
