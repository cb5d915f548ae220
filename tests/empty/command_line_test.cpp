#include "tools/empty/command_line.h"

#include <gtest/gtest.h>

namespace empty_tool {
namespace {

using Kind = ToolArgument::Kind;

TEST(ToolCommandLine, NothingAfterTheProgramNameIsNoArgument) {
  for (const char* line :
       {"empty.exe", "empty.exe ", "empty.exe \t  ", "", "\"C:\\a b\\empty.exe\"",
        "\"C:\\a b\\empty.exe\"   ", "\"unclosed 123"}) {
    SCOPED_TRACE(line);
    EXPECT_EQ(ParseToolArgument(line).kind, Kind::kNone);
  }
  EXPECT_EQ(ParseToolArgument(nullptr).kind, Kind::kNone);
}

TEST(ToolCommandLine, LeadingDigitsAreTheProcessId) {
  ToolArgument a = ParseToolArgument("C:\\WINDOWS\\empty.exe 1234");
  EXPECT_EQ(a.kind, Kind::kProcessId);
  EXPECT_EQ(a.processId, 1234u);
  // Separated by a tab, more white space, reading stops at the first non-digit.
  a = ParseToolArgument("empty.exe\t \t56x7 9");
  EXPECT_EQ(a.kind, Kind::kProcessId);
  EXPECT_EQ(a.processId, 56u);
  EXPECT_FALSE(a.usageRequested);
  a = ParseToolArgument("empty.exe 0");
  EXPECT_EQ(a.kind, Kind::kProcessId);
  EXPECT_EQ(a.processId, 0u);
  // Too many digits for a process id do not wrap round to some other process.
  a = ParseToolArgument("empty.exe 42949672960004");
  EXPECT_EQ(a.kind, Kind::kProcessId);
  EXPECT_EQ(a.processId, 0xFFFFFFFFul);
}

TEST(ToolCommandLine, AnythingElseIsTheWholeRestInUpperCase) {
  ToolArgument a = ParseToolArgument("empty.exe notepad");
  EXPECT_EQ(a.kind, Kind::kPattern);
  EXPECT_EQ(a.pattern, "NOTEPAD");
  a = ParseToolArgument("empty.exe   My App*  [a-c] ");
  EXPECT_EQ(a.kind, Kind::kPattern);
  EXPECT_EQ(a.pattern, "MY APP*  [A-C] ");
  // A digit later on does not make it a process id.
  a = ParseToolArgument("empty.exe x12");
  EXPECT_EQ(a.kind, Kind::kPattern);
  EXPECT_EQ(a.pattern, "X12");
  // Only the first blank ends the program name; an unquoted path with a blank splits there.
  a = ParseToolArgument("C:\\My Windows\\empty.exe 1234");
  EXPECT_EQ(a.kind, Kind::kPattern);
  EXPECT_EQ(a.pattern, "WINDOWS\\EMPTY.EXE 1234");
}

TEST(ToolCommandLine, QuotedProgramNameIsSkippedWhole) {
  ToolArgument a = ParseToolArgument("\"C:\\My Windows\\empty.exe\" 1234");
  EXPECT_EQ(a.kind, Kind::kProcessId);
  EXPECT_EQ(a.processId, 1234u);
  a = ParseToolArgument("\"C:\\My Windows\\empty.exe\"\tnote pad");
  EXPECT_EQ(a.kind, Kind::kPattern);
  EXPECT_EQ(a.pattern, "NOTE PAD");
  // A quote inside the argument is part of it.
  a = ParseToolArgument("empty.exe \"x y\"");
  EXPECT_EQ(a.pattern, "\"X Y\"");
}

TEST(ToolCommandLine, UsageIsExactlyDashOrSlashQuestionMark) {
  for (const char* line : {"empty.exe -?", "empty.exe /?", "empty.exe \t/?"}) {
    SCOPED_TRACE(line);
    const ToolArgument a = ParseToolArgument(line);
    EXPECT_TRUE(a.usageRequested);
    // It is still a pattern afterwards.
    EXPECT_EQ(a.kind, Kind::kPattern);
    EXPECT_EQ(a.pattern, std::string(line).substr(std::string(line).size() - 2));
  }
  for (const char* line :
       {"empty.exe -??", "empty.exe -? ", "empty.exe ?", "empty.exe +?", "empty.exe /h"}) {
    SCOPED_TRACE(line);
    EXPECT_FALSE(ParseToolArgument(line).usageRequested);
  }
}

}  // namespace
}  // namespace empty_tool
