// The working-set tool's command-line parser on arbitrary command lines.
#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "tools/empty/command_line.h"
#include "tools/empty/pattern_match.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A command line is a zero-terminated text: the bytes up to the first zero.
  const std::string line(reinterpret_cast<const char*>(data), size);
  const char* text = line.c_str();
  const empty_tool::ToolArgument argument = empty_tool::ParseToolArgument(text);
  const std::string upper = empty_tool::UpperCase(std::string(text));
  using Kind = empty_tool::ToolArgument::Kind;
  switch (argument.kind) {
    case Kind::kNone:
      FUZZ_CHECK(argument.pattern.empty() && argument.processId == 0 && !argument.usageRequested);
      break;
    case Kind::kProcessId:
      FUZZ_CHECK(argument.pattern.empty() && !argument.usageRequested);
      break;
    case Kind::kPattern: {
      // The whole rest of the line, upper case, after a blank or tab.
      const std::string& p = argument.pattern;
      FUZZ_CHECK(!p.empty() && p.front() != ' ' && p.front() != '\t');
      FUZZ_CHECK(!(p.front() >= '0' && p.front() <= '9'));
      FUZZ_CHECK(p.size() < upper.size());
      FUZZ_CHECK(upper.compare(upper.size() - p.size(), p.size(), p) == 0);
      const char before = upper[upper.size() - p.size() - 1];
      FUZZ_CHECK(before == ' ' || before == '\t');
      FUZZ_CHECK(argument.usageRequested == (p == "-?" || p == "/?"));
      break;
    }
  }
  // Every line starting with an unquoted name and a blank parses its rest as the argument.
  if (line.find('\0') == std::string::npos && !line.empty() && line[0] != ' ' && line[0] != '\t') {
    const empty_tool::ToolArgument again = empty_tool::ParseToolArgument(("x " + line).c_str());
    if (line[0] >= '0' && line[0] <= '9') {
      FUZZ_CHECK(again.kind == Kind::kProcessId);
    } else {
      FUZZ_CHECK(again.kind == Kind::kPattern && again.pattern == upper);
    }
  }
  return 0;
}
