#include "app/settings_keeper.h"

#include <windows.h>

#include "app/announcer.h"
#include "app/data_files.h"
#include "app/playback_handlers.h"

namespace app {
namespace {

RememberedSettings Read(const PlayerUnits& units, const RememberedSettings& fallback) {
  RememberedSettings now = fallback;
  PlayerSound(now.volume, now.muted);
  now.singleLoop = SendMessageW(units.单选框_单曲循环, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return now;
}

void Tell(const char* what, const RememberedSettings& s) {
  Announce().Say("settings ", what, " volume ", s.volume, " mute ", s.muted ? 1 : 0, " loop ",
                 s.singleLoop ? "single" : "list");
}

}  // namespace

void SettingsKeeper::Restore(const PlayerUnits& units) {
  saved_ = LoadSettings(DataPath(kRememberedFile));
  SetPlayerSound(saved_.volume, saved_.muted);
  SendMessageW(units.单选框_单曲循环, BM_SETCHECK, saved_.singleLoop ? BST_CHECKED : BST_UNCHECKED,
               0);
  SendMessageW(units.单选框_列表循环, BM_SETCHECK, saved_.singleLoop ? BST_UNCHECKED : BST_CHECKED,
               0);
  Tell("restored", saved_);
}

void SettingsKeeper::Keep(const PlayerUnits& units) {
  if (!units.window) return;
  const RememberedSettings now = Read(units, saved_);
  if (now == saved_) return;
  // A failed write is tried again at the next call.
  if (!SaveSettings(DataPath(kRememberedFile), now)) return;
  saved_ = now;
  Tell("saved", now);
}

SettingsKeeper& Settings() {
  static SettingsKeeper keeper;
  return keeper;
}

}  // namespace app
