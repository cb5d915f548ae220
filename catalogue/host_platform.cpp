#include "catalogue/host_platform.h"

#include <windows.h>

#include <cstring>

namespace catalogue {

bool RunningUnderWine() {
  static const bool wine = [] {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

bool IsWebAddress(const std::string& address) {
  for (const char* scheme : {"http://", "https://"}) {
    const size_t n = std::strlen(scheme);
    if (address.size() > n && _strnicmp(address.c_str(), scheme, n) == 0) return true;
  }
  return false;
}

std::string SongFileExtension(const uint8_t* head, size_t size) {
  const auto starts = [&](const char* magic) {
    const size_t n = std::strlen(magic);
    return size >= n && std::memcmp(head, magic, n) == 0;
  };
  if (size >= 12 && starts("RIFF") && std::memcmp(head + 8, "WAVE", 4) == 0) return ".wav";
  if (starts("OggS")) return ".ogg";
  if (starts("fLaC")) return ".flac";
  if (size >= 8 && std::memcmp(head + 4, "ftyp", 4) == 0) return ".m4a";
  if (starts("0&\xB2u")) return ".wma";  // the ASF header's first bytes
  return ".mp3";
}

}  // namespace catalogue

namespace catalogue {

int WineVolumeLevel(int volume) {
  if (volume <= 0) return 0;
  if (volume >= 100) return 100;
  return 100 - (100 - volume + 2) / 5;
}

int VolumeFromWineLevel(int level) {
  if (level <= 0) return 0;
  if (level >= 100) return 100;
  const int volume = 100 - (100 - level) * 5;
  return volume > 0 ? volume : 1;  // a level below 80 still sounds
}

}  // namespace catalogue
