// Conversions between the ANSI code page and UTF-16 for texts handed to or read from GDI+.
#pragma once

#include <string>
#include <string_view>

namespace graphics {

// MultiByteToWideChar with code page 0 and flags 0; the result stops at the first zero.
std::wstring AnsiToWide(std::string_view text);
// WideCharToMultiByte with code page 0.
std::string WideToAnsi(std::wstring_view text);

}  // namespace graphics
