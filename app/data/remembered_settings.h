// What the player keeps from one run to the next beyond its layout: the volume, mute and the loop
// mode and the
// song balloons, in config\player.ini as UTF-8 "key=value" lines.
#pragma once

#include <string>

namespace app {

inline constexpr wchar_t kRememberedFile[] = L"\\config\\player.ini";

struct RememberedSettings {
  int volume = 50;  // the first start's
  bool muted = false;
  bool singleLoop = false;
  bool balloons = false;  // a balloon with the title when a song starts out of sight
  bool operator==(const RememberedSettings& o) const {
    return volume == o.volume && muted == o.muted && singleLoop == o.singleLoop &&
           balloons == o.balloons;
  }
  bool operator!=(const RememberedSettings& o) const { return !(*this == o); }
};

std::string FormatSettings(const RememberedSettings& settings);
// Each known key whose value is well formed is taken; anything else (a missing or damaged file,
// an unknown key, a volume outside 0 to 100) leaves that setting at its first-start value.
RememberedSettings ParseSettings(const std::string& text);

RememberedSettings LoadSettings(const std::wstring& path);
bool SaveSettings(const std::wstring& path, const RememberedSettings& settings);

}  // namespace app
