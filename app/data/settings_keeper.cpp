#include "app/data/settings_keeper.h"

#include <windows.h>

#include "app/announcer.h"
#include "app/application.h"
#include "app/data/data_files.h"
#include "app/media/playback_handlers.h"

namespace app {
namespace {

RememberedSettings Read(const PlayerUnits& units, const RememberedSettings& fallback,
                        bool balloons) {
  RememberedSettings now = fallback;
  now.balloons = balloons;
  PlayerSound(now.volume, now.muted);
  now.singleLoop = SendMessageW(units.单选框_单曲循环, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return now;
}

void Tell(const char* what, const RememberedSettings& s) {
  Announce().Say("settings ", what, " volume ", s.volume, " mute ", s.muted ? 1 : 0, " loop ",
                 s.singleLoop ? "single" : "list", " balloons ", s.balloons ? 1 : 0);
}

}  // namespace

void SettingsKeeper::Restore(const PlayerUnits& units) {
  saved_ = LoadSettings(DataPath(kRememberedFile));
  balloons_ = saved_.balloons;
  CheckMenuItem(units.托盘菜单, kMenuBalloons, balloons_ ? MF_CHECKED : MF_UNCHECKED);
  SetPlayerSound(saved_.volume, saved_.muted);
  SendMessageW(units.单选框_单曲循环, BM_SETCHECK, saved_.singleLoop ? BST_CHECKED : BST_UNCHECKED,
               0);
  SendMessageW(units.单选框_列表循环, BM_SETCHECK, saved_.singleLoop ? BST_UNCHECKED : BST_CHECKED,
               0);
  Tell("restored", saved_);
}

void SettingsKeeper::Keep(const PlayerUnits& units) {
  if (!units.window) return;
  const RememberedSettings now = Read(units, saved_, balloons_);
  if (now == saved_) return;
  // A failed write is tried again at the next call.
  if (!SaveSettings(DataPath(kRememberedFile), now)) return;
  saved_ = now;
  Tell("saved", now);
}

void SettingsKeeper::ToggleBalloons(const PlayerUnits& units) {
  balloons_ = !balloons_;
  CheckMenuItem(units.托盘菜单, kMenuBalloons, balloons_ ? MF_CHECKED : MF_UNCHECKED);
  Keep(units);
}

SettingsKeeper& Settings() { return App().settings; }

}  // namespace app
