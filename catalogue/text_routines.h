// Text routines of the catalogue client: the marker extractor and the code page conversions.
// Texts are byte strings; the list arrives as UTF-8 and is used as code page 936 (GBK).
#pragma once

#include <windows.h>

#include <cstdint>
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

// The UTF-16 form of `text` read in `codePage`. The buffer is sized by a pass in the system
// ANSI code page and holds its terminating zero (and any unused zeros after it).
std::wstring ToWideText(const std::string& text, UINT codePage = CP_UTF8);

// The multibyte form of `wide` (up to its first zero) in `codePage`, up to its first zero
// byte; empty when the conversion fails.
std::string FromWideText(const std::wstring& wide, UINT codePage = CP_ACP);

// UTF-8 in, code page 936 out, whatever the system's ANSI code page is: the same bytes as
// FromWideText(ToWideText(text, CP_UTF8), 936), in one pass for well-formed text.
std::string Utf8ToGbk(const std::string& text);

// A response body used as text: its bytes up to the first zero byte, unconverted.
std::string BodyText(const std::vector<uint8_t>& body);

}  // namespace catalogue
