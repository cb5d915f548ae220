// The number-pair reader on arbitrary text, against the C library's own number conversion,
// and the writer's form read back.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string>

#include "app/data/number_pair.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// The leading decimal integer by strtoll, clamped to 32 bits.
int32_t Expected(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  size_t digits = i;
  if (digits < text.size() && (text[digits] == '-' || text[digits] == '+')) ++digits;
  size_t end = digits;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  if (end == digits) return 0;
  const std::string number(text.substr(i, end - i));
  errno = 0;
  const long long value = std::strtoll(number.c_str(), nullptr, 10);
  return static_cast<int32_t>(std::clamp<long long>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int32_t a = input.ConsumeIntegral<int32_t>();
  const int32_t b = input.ConsumeIntegral<int32_t>();
  const std::string written = app::FormatNumberPair(a, b);
  FUZZ_CHECK(written.find_first_of(" \r\n") == std::string::npos);
  const app::NumberPair back = app::ReadNumberPair(written);
  FUZZ_CHECK(back.first == a && back.second == b);

  const std::string text = input.ConsumeRemainingBytesAsString();
  FUZZ_CHECK(app::LeadingNumber(text) == Expected(text));
  const app::NumberPair pair = app::ReadNumberPair(text);
  const size_t hash = text.find('#');
  if (hash == std::string::npos) {
    FUZZ_CHECK(pair.first == Expected(text) && pair.second == pair.first);
  } else {
    FUZZ_CHECK(pair.first == Expected(std::string_view(text).substr(0, hash)));
    FUZZ_CHECK(pair.second == Expected(std::string_view(text).substr(hash + 1)));
  }
  return 0;
}
