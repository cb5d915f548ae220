// The task-name pattern matcher on arbitrary patterns and names, against a plain table-driven
// matcher of the same pattern language.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "tests/fuzz/fuzz_check.h"
#include "tools/empty/pattern_match.h"

namespace {

struct Element {
  enum Kind { kStar, kAny, kSet, kChar } kind;
  std::string set;  // kSet: the text between the brackets; kChar: the character
};

std::vector<Element> Parse(const std::string& pattern) {
  std::vector<Element> elements;
  for (size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (c == '*' || c == '?') {
      elements.push_back({c == '*' ? Element::kStar : Element::kAny, {}});
      ++i;
    } else if (c == '[') {
      const size_t close = pattern.find(']', i + 1);
      const size_t end = close == std::string::npos ? pattern.size() : close;
      elements.push_back({Element::kSet, pattern.substr(i + 1, end - i - 1)});
      i = close == std::string::npos ? end : end + 1;
    } else {
      elements.push_back({Element::kChar, std::string(1, c)});
      ++i;
    }
  }
  return elements;
}

bool InSet(const std::string& set, unsigned char c) {
  for (size_t i = 0; i < set.size();) {
    if (i + 2 < set.size() && set[i + 1] == '-') {
      const unsigned char x = set[i], y = set[i + 2];
      if ((c >= x && c <= y) || (c >= y && c <= x)) return true;
      i += 3;
    } else {
      if (static_cast<unsigned char>(set[i]) == c) return true;
      ++i;
    }
  }
  return false;
}

// matches[e][t]: elements from e on cover the text from t on.
bool Reference(const std::string& pattern, const std::string& text) {
  const std::vector<Element> elements = Parse(pattern);
  const size_t n = elements.size(), m = text.size();
  std::vector<std::vector<char>> matches(n + 1, std::vector<char>(m + 1, 0));
  matches[n][m] = 1;
  for (size_t e = n; e-- > 0;) {
    for (size_t t = m + 1; t-- > 0;) {
      const Element& el = elements[e];
      if (el.kind == Element::kStar) {
        matches[e][t] = matches[e + 1][t] || (t < m && matches[e][t + 1]);
        continue;
      }
      if (t == m) continue;
      const char c = empty_tool::UpperCaseChar(text[t]);
      const bool one = el.kind == Element::kAny || (el.kind == Element::kChar && el.set[0] == c) ||
                       (el.kind == Element::kSet && InSet(el.set, static_cast<unsigned char>(c)));
      matches[e][t] = one && matches[e + 1][t + 1];
    }
  }
  return matches[0][0];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string pattern = empty_tool::UpperCase(input.ConsumeRandomLengthString(64));
  const std::string text = input.ConsumeRandomLengthString(64);
  FUZZ_CHECK(empty_tool::MatchesPattern(pattern, text) == Reference(pattern, text));
  FUZZ_CHECK(empty_tool::MatchesPattern("*", text));
  if (text.find_first_of("*?[") == std::string::npos) {
    FUZZ_CHECK(empty_tool::MatchesPattern(empty_tool::UpperCase(text), text));
  }
  return 0;
}
