#include "graphics/ansi_text.h"

#include <windows.h>

#include <climits>

namespace graphics {

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(0, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(0, 0, text.data(), size, wide.data(), length);
  // GDI+ is given the length up to the first zero, as lstrlenW would count it.
  wide.resize(lstrlenW(wide.c_str()));
  return wide;
}

std::string WideToAnsi(std::wstring_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(0, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(0, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
  ansi.resize(lstrlenA(ansi.c_str()));
  return ansi;
}

}  // namespace graphics
