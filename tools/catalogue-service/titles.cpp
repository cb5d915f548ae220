#include "titles.h"

#include <cstdint>

namespace catalogue_service {
namespace {

// The length of the valid UTF-8 sequence at `at`, 0 when it is not one (overlong forms,
// surrogates and values past U+10FFFF included).
size_t SequenceLength(const std::string& s, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
  const uint8_t c = byte(at);
  if (c < 0x80) return 1;
  size_t n = 0;
  uint32_t min = 0, value = 0;
  if ((c & 0xE0) == 0xC0) {
    n = 2, min = 0x80, value = c & 0x1F;
  } else if ((c & 0xF0) == 0xE0) {
    n = 3, min = 0x800, value = c & 0x0F;
  } else if ((c & 0xF8) == 0xF0) {
    n = 4, min = 0x10000, value = c & 0x07;
  } else {
    return 0;
  }
  if (at + n > s.size()) return 0;
  for (size_t i = 1; i < n; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    value = value << 6 | (byte(at + i) & 0x3F);
  }
  if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

std::string CleanText(const std::string& bytes, size_t maxBytes) {
  std::string out;
  for (size_t at = 0; at < bytes.size();) {
    const size_t n = SequenceLength(bytes, at);
    std::string piece;
    if (n == 0) {
      piece = "\xEF\xBF\xBD";
      ++at;
    } else {
      const auto c = static_cast<uint8_t>(bytes[at]);
      piece = n == 1 && (c < 0x20 || c == 0x7F) ? std::string(" ") : bytes.substr(at, n);
      at += n;
    }
    if (out.size() + piece.size() > maxBytes) break;
    out += piece;
  }
  const size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string DisplayTitle(const std::string& artist, const std::string& title,
                         const std::string& stem) {
  const std::string a = CleanText(artist), t = CleanText(title);
  if (t.empty()) return CleanText(stem);
  return a.empty() ? t : CleanText(a + " - " + t);
}

}  // namespace catalogue_service
