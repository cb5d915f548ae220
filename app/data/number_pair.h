// The "a#b" number pairs of the layout files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace app {

struct NumberPair {
  int32_t first = 0;
  int32_t second = 0;
};

// The decimal number a text begins with (optional blanks, sign, digits, optional fraction),
// truncated toward zero and clamped to the 32-bit range; 0 when the text holds no number there.
int32_t LeadingNumber(std::string_view text);

// Splits at the first "#"; without one, both values come from the whole text.
NumberPair ReadNumberPair(std::string_view text);

// Exactly a + "#" + b: plain decimal, a minus sign when negative, no blanks, no line break.
std::string FormatNumberPair(int32_t a, int32_t b);

}  // namespace app
