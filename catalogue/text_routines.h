// Text routines of the catalogue client: the marker extractor, which works on the bytes of a
// response, and the conversions between the code pages of the edges and UTF-16.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// What the extractor calls on every pass so the window stays alive during a long list.
using PumpFunction = void (*)();

// Collects, in order, every piece of `source` that lies between `left` and the next `right`,
// with leading and trailing blanks removed; empty pieces are skipped. `out` is emptied first.
// Calls `pump` after each piece looked at. Returns the number of pieces. An empty left marker
// finds nothing.
int ExtractBetween(std::string_view source, std::string_view left, std::string_view right,
                   std::vector<std::string>& out, PumpFunction pump);

// The same pieces as ExtractBetween, as views into `source` (which must outlive them): nothing
// is copied, so a long list costs little more than reading it once.
std::vector<std::string_view> ExtractPieces(std::string_view source, std::string_view left,
                                            std::string_view right, PumpFunction pump);

// Removes the leading and trailing blanks (byte 32).
std::string_view TrimBlanks(std::string_view text);

// Text at the edges where it is bytes in a code page that the edge fixes (the GBK data files,
// the catalogue's UTF-8 list), never the system's ANSI code page: inside, text is UTF-16.
inline constexpr UINT kGbkCodePage = 936;

// The UTF-16 form of `bytes` read in `codePage`, up to their first zero byte; bytes that form no
// character there become the code page's replacement character.
std::wstring DecodeText(std::string_view bytes, UINT codePage);
// The bytes of `text` (up to its first zero) in `codePage`; none when a character has no form
// there, so that a name is never stored as one that reads back as another.
std::optional<std::string> EncodeText(std::wstring_view text, UINT codePage);

inline std::wstring FromUtf8(std::string_view bytes) { return DecodeText(bytes, CP_UTF8); }
// A lone surrogate becomes U+FFFD.
std::string ToUtf8(std::wstring_view text);

// A response body used as text: its bytes up to the first zero byte, unconverted.
std::string BodyText(const std::vector<uint8_t>& body);

}  // namespace catalogue
