// UTF-8 to code page 936 without the system's four passes over a long list. Valid UTF-8 of the
// Basic Multilingual Plane is converted here, a character at a time, through a table that the
// system converter fills as each character is first met; any other text goes to the system
// converter whole, so the result is the same either way.
#include <atomic>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "catalogue/text_routines.h"

namespace catalogue {
namespace {

// Per UTF-16 unit: 0 while unasked, else its bytes (first in the low byte) and their count in
// bits 16 and up. Characters converted by another thread at the same time get the same value.
std::atomic<uint32_t> g_gbkOf[0x10000];
constexpr uint32_t kNoBytes = 0xFFFFFFFFu;

// Out of line, so that the conversion loop keeps its values in registers.
__attribute__((noinline)) uint32_t AskSystem(uint32_t unit) {
  uint32_t known;
  const wchar_t wide = static_cast<wchar_t>(unit);
  char bytes[4] = {};
  const int n = WideCharToMultiByte(936, 0, &wide, 1, bytes, sizeof(bytes), nullptr, nullptr);
  const auto b0 = static_cast<uint8_t>(bytes[0]), b1 = static_cast<uint8_t>(bytes[1]);
  // A zero byte would end the system's text early: leave such a character to the system too.
  if (n == 1 && b0 != 0) {
    known = (1u << 16) | b0;
  } else if (n == 2 && b0 != 0 && b1 != 0) {
    known = (2u << 16) | b0 | (b1 << 8);
  } else {
    known = kNoBytes;
  }
  g_gbkOf[unit].store(known, std::memory_order_relaxed);
  return known;
}

// Bit 7 of each byte of `word` that is zero or not ASCII; below the lowest such byte none is set.
uint32_t StopBytes(uint32_t word) { return (word | ((word - 0x01010101u) & ~word)) & 0x80808080u; }

// Empty when the text holds anything but well-formed UTF-8 of the Basic Multilingual Plane
// outside the surrogates, up to its first zero byte.
std::optional<std::string> ConvertHere(const std::string& text) {
  const auto* p = reinterpret_cast<const uint8_t*>(text.data());
  const uint8_t* const end = p + text.size();
  // No character here grows (1 byte to 1, 2 to at most 2, 3 to 2), so the output never passes
  // the input, and as many bytes as are left to read can be stored where the next one goes.
  std::string out(text.size(), '\0');
  char* o = out.data();
  while (p < end) {
    // ASCII, most of a list, four bytes at a time (wider words cost more in 32-bit code).
    while (end - p >= 4) {
      uint32_t word;
      std::memcpy(&word, p, 4);
      std::memcpy(o, &word, 4);
      const uint32_t stop = StopBytes(word);
      if (stop != 0) {
        const int ascii = __builtin_ctz(stop) >> 3;
        p += ascii;
        o += ascii;
        break;
      }
      p += 4;
      o += 4;
    }
    while (p < end && *p != 0 && *p < 0x80) *o++ = static_cast<char>(*p++);
    if (p == end || *p == 0) break;
    // A run of other characters, the titles' Chinese.
    do {
      const uint32_t c = *p;
      uint32_t unit;
      if (c >= 0xE0 && c <= 0xEF && end - p >= 3) {
        const uint32_t c1 = p[1] ^ 0x80u, c2 = p[2] ^ 0x80u;
        unit = (c & 0x0Fu) << 12 | c1 << 6 | c2;
        // Continuations only; no overlong form, no surrogate.
        if ((c1 | c2) >= 0x40 || unit < 0x800 || (unit >= 0xD800 && unit <= 0xDFFF)) {
          return std::nullopt;
        }
        p += 3;
      } else if (c >= 0xC2 && c <= 0xDF && end - p >= 2 && (p[1] ^ 0x80u) < 0x40) {
        unit = (c & 0x1Fu) << 6 | (p[1] ^ 0x80u);
        p += 2;
      } else {
        return std::nullopt;
      }
      uint32_t bytes = g_gbkOf[unit].load(std::memory_order_relaxed);
      if (bytes == 0) bytes = AskSystem(unit);
      if (bytes == kNoBytes) return std::nullopt;
      o[0] = static_cast<char>(bytes);
      o[1] = static_cast<char>(bytes >> 8);
      o += bytes >> 16;
    } while (p < end && *p >= 0x80);
  }
  out.resize(static_cast<size_t>(o - out.data()));
  // A zero early in a long text leaves little of it: give the rest of the room back.
  if (out.size() < out.capacity() / 2) out.shrink_to_fit();
  return out;
}

}  // namespace

std::string Utf8ToGbk(const std::string& text) {
  if (std::optional<std::string> converted = ConvertHere(text)) return std::move(*converted);
  return FromWideText(ToWideText(text, CP_UTF8), 936);
}

}  // namespace catalogue
