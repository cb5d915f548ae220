// empty.exe {pid | task-name}: empties the working set of one process, or of every process whose
// name or window title matches the pattern.
#include <windows.h>

#include <cstdio>

#include "tools/empty/command_line.h"
#include "tools/empty/debug_privilege.h"
#include "tools/empty/pattern_match.h"
#include "tools/empty/process_snapshot.h"
#include "tools/empty/process_table.h"
#include "tools/empty/window_titles.h"
#include "tools/empty/working_set.h"

namespace empty_tool {
namespace {

constexpr char kUsage[] = "USAGE: empty.exe {pid | task-name}";

// Too large for the stack of a console program's main thread.
ProcessTable processes;

int EmptyById(unsigned long processId) {
  if (EmptyProcessWorkingSet(processId)) return 0;
  std::printf("could not empty working set for process #%lu\n", processId);
  return 1;
}

int EmptyByPattern(const std::string& pattern) {
  TakeProcessSnapshot(processes);
  AttachWindowTitles(processes);
  bool failed = false;
  for (int i = 0; i < processes.count(); ++i) {
    const ProcessEntry& entry = processes[i];
    if (!ProcessMatches(pattern, entry)) continue;
    if (!EmptyProcessWorkingSet(entry.processId)) {
      std::printf("could not empty working set for process #%lu [%s]\n", entry.processId,
                  entry.imageName);
      failed = true;
    }
  }
  if (MatchesPattern(pattern, "System") && !EmptySystemFileCache()) {
    std::printf("could not empty working set for process #%d [%s]\n", 0, "System");
    failed = true;
  }
  return failed ? 1 : 0;
}

}  // namespace
}  // namespace empty_tool

int main() {
  using empty_tool::ToolArgument;
  const ToolArgument argument = empty_tool::ParseToolArgument(GetCommandLineA());
  if (argument.kind == ToolArgument::Kind::kNone) {
    std::printf("missing pid or task name\n");
    return 1;
  }
  if (argument.usageRequested) std::printf("%s\n", empty_tool::kUsage);
  empty_tool::EnableDebugPrivilege();
  if (argument.kind == ToolArgument::Kind::kProcessId) {
    return empty_tool::EmptyById(argument.processId);
  }
  return empty_tool::EmptyByPattern(argument.pattern);
}
