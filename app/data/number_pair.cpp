#include "app/data/number_pair.h"

#include <limits>

namespace app {

int32_t LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate in 64 bits and stop growing once past the 32-bit range: any longer run of digits
  // clamps to the same limit.
  const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                 : int64_t{std::numeric_limits<int32_t>::max()};
  int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (magnitude <= limit) magnitude = magnitude * 10 + (text[i] - '0');
  }
  // A fraction only ever truncates away, so the digits after the point need no reading.
  if (magnitude > limit) magnitude = limit;
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

NumberPair ReadNumberPair(std::string_view text) {
  const size_t hash = text.find('#');
  if (hash == std::string_view::npos) {
    const int32_t value = LeadingNumber(text);
    return {value, value};
  }
  return {LeadingNumber(text.substr(0, hash)), LeadingNumber(text.substr(hash + 1))};
}

std::string FormatNumberPair(int32_t a, int32_t b) {
  return std::to_string(a) + "#" + std::to_string(b);
}

}  // namespace app
