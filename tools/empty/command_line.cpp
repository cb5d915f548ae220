#include "tools/empty/command_line.h"

#include <cstring>

#include "tools/empty/pattern_match.h"

namespace empty_tool {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

ToolArgument ParseToolArgument(const char* commandLine) {
  ToolArgument result;
  if (!commandLine) return result;
  const char* p = commandLine;
  // A program path that holds a blank reaches us quoted; its blank is not the separator.
  if (*p == '"') {
    p = std::strchr(p + 1, '"');
    if (!p) return result;
  }
  while (*p && !IsBlank(*p)) ++p;
  while (IsBlank(*p)) ++p;
  if (!*p) return result;

  if (*p >= '0' && *p <= '9') {
    result.kind = ToolArgument::Kind::kProcessId;
    unsigned long long id = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
      id = id * 10 + static_cast<unsigned>(*p - '0');
      if (id > 0xFFFFFFFFull) id = 0xFFFFFFFFull;
    }
    result.processId = static_cast<unsigned long>(id);
    return result;
  }
  result.kind = ToolArgument::Kind::kPattern;
  result.usageRequested = std::strlen(p) == 2 && (p[0] == '-' || p[0] == '/') && p[1] == '?';
  result.pattern = UpperCase(p);
  return result;
}

}  // namespace empty_tool
