// The running processes, as the system lists them, with their image names.
#pragma once

#include <windows.h>

#include <string>

#include "tools/empty/process_table.h"

namespace empty_tool {

// The part of an image path after its last backslash, in the ANSI code page.
std::string BaseImageName(const wchar_t* path, size_t length);

// Fills the table with at most kMaxProcesses processes; false when the system gave no list.
bool TakeProcessSnapshot(ProcessTable& table);

}  // namespace empty_tool
