// What the tool was asked to do, read from its whole command line.
#pragma once

#include <string>

namespace empty_tool {

struct ToolArgument {
  enum class Kind { kNone, kProcessId, kPattern };
  Kind kind = Kind::kNone;
  // Decimal digits at the start of the argument; a value too large for 32 bits stays at the
  // largest one, which names no process.
  unsigned long processId = 0;
  // The whole rest of the command line, upper case.
  std::string pattern;
  // The argument is exactly "-?" or "/?": the usage line is printed before it is used.
  bool usageRequested = false;
};

// The argument is what follows the program name (up to the first blank or tab; a program name
// in double quotes ends at its closing quote and the blank or tab after it), leading white space
// skipped.
ToolArgument ParseToolArgument(const char* commandLine);

}  // namespace empty_tool
