#include "app/data/remembered_settings.h"

#include "app/data/data_files.h"
#include "graphics/atomic_file.h"

namespace app {
namespace {

// A short run of decimal digits within the range, or -1.
int Number(const std::string& text, int lowest, int highest) {
  if (text.empty() || text.size() > 3) return -1;
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n < lowest || n > highest ? -1 : n;
}

}  // namespace

std::string FormatSettings(const RememberedSettings& s) {
  return "volume=" + std::to_string(s.volume) + "\r\nmute=" + (s.muted ? "1" : "0") +
         "\r\nloop=" + (s.singleLoop ? "single" : "list") +
         "\r\nballoons=" + (s.balloons ? "1" : "0") + "\r\n";
}

RememberedSettings ParseSettings(const std::string& text) {
  RememberedSettings s;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    if (key == "volume") {
      const int v = Number(value, 0, 100);
      if (v >= 0) s.volume = v;
    } else if (key == "mute" && (value == "0" || value == "1")) {
      s.muted = value == "1";
    } else if (key == "balloons" && (value == "0" || value == "1")) {
      s.balloons = value == "1";
    } else if (key == "loop" && (value == "list" || value == "single")) {
      s.singleLoop = value == "single";
    }
  }
  return s;
}

RememberedSettings LoadSettings(const std::wstring& path) {
  // A settings file is a few lines; anything larger is not ours.
  const std::vector<uint8_t> bytes = ReadFileBytes(path, 4096);
  return ParseSettings(std::string(bytes.begin(), bytes.end()));
}

bool SaveSettings(const std::wstring& path, const RememberedSettings& settings) {
  const std::string bytes = FormatSettings(settings);
  return graphics::WriteFileAtomically(path, bytes.data(), bytes.size());
}

}  // namespace app
