// Task-name patterns: "*" any run, "?" one character, "[...]" a set with ranges.
#pragma once

#include <string>

namespace empty_tool {

// Upper case of one byte as the tool compares it; bytes outside ASCII stay as they are.
char UpperCaseChar(char c);
std::string UpperCase(std::string text);

// True when `pattern` covers the whole of `text`. The pattern is taken as written (the tool
// upper-cases it once); every character of the text is upper-cased before it is compared.
// An unclosed "[" makes a set that runs to the end of the pattern.
bool MatchesPattern(const std::string& pattern, const std::string& text);

}  // namespace empty_tool
