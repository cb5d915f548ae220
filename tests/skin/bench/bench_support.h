// What the skin benchmarks share: a millisecond clock and the shipped background picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace skin_bench {

inline double Now() {
  static LARGE_INTEGER frequency{};
  if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The shipped picture, through Wine's mapping of the Unix root to Z:; empty when unreadable. The
// path is UTF-8 (the data folder's name is Chinese), so it is opened by its wide form, whatever
// the code page.
inline std::vector<uint8_t> ReadPicture(const char* unixPath) {
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  std::wstring wide(path.size() + 1, L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(),
                                                      static_cast<int>(wide.size()))));
  std::vector<uint8_t> bytes;
  FILE* file = _wfopen(wide.c_str(), L"rb");
  if (!file) return bytes;
  uint8_t buffer[65536];
  for (size_t n; (n = fread(buffer, 1, sizeof(buffer), file)) > 0;) {
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  fclose(file);
  return bytes;
}

}  // namespace skin_bench
