#include "tools/empty/pattern_match.h"

#include <utility>

namespace empty_tool {
namespace {

// Index just past the pattern element that starts at `at`.
size_t ElementEnd(const std::string& pattern, size_t at) {
  if (pattern[at] != '[') return at + 1;
  const size_t close = pattern.find(']', at + 1);
  return close == std::string::npos ? pattern.size() : close + 1;
}

bool SetContains(const std::string& pattern, size_t first, size_t last, unsigned char c) {
  for (size_t i = first; i < last;) {
    if (i + 2 < last && pattern[i + 1] == '-') {
      unsigned char low = pattern[i], high = pattern[i + 2];
      if (low > high) std::swap(low, high);
      if (c >= low && c <= high) return true;
      i += 3;
    } else {
      if (static_cast<unsigned char>(pattern[i]) == c) return true;
      ++i;
    }
  }
  return false;
}

bool ElementMatches(const std::string& pattern, size_t at, size_t end, char c) {
  switch (pattern[at]) {
    case '?':
      return true;
    case '[': {
      const size_t last = pattern[end - 1] == ']' && end - 1 > at ? end - 1 : end;
      return SetContains(pattern, at + 1, last, static_cast<unsigned char>(c));
    }
    default:
      return pattern[at] == c;
  }
}

}  // namespace

char UpperCaseChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperCase(std::string text) {
  for (char& c : text) c = UpperCaseChar(c);
  return text;
}

bool MatchesPattern(const std::string& pattern, const std::string& text) {
  // Greedy scan that returns to the last star on a mismatch: linear in practice, never
  // exponential, no recursion.
  size_t p = 0, t = 0;
  size_t afterStar = std::string::npos, starText = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      afterStar = ++p;
      starText = t;
      continue;
    }
    if (p < pattern.size()) {
      const size_t end = ElementEnd(pattern, p);
      if (ElementMatches(pattern, p, end, UpperCaseChar(text[t]))) {
        p = end;
        ++t;
        continue;
      }
    }
    if (afterStar == std::string::npos) return false;
    p = afterStar;
    t = ++starText;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace empty_tool
