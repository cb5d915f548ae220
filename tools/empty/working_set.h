// Taking the pages out of a working set.
#pragma once

#include <windows.h>

namespace empty_tool {

// False only when the process cannot be opened; what the system answers to the request itself
// does not count.
bool EmptyProcessWorkingSet(DWORD processId);

// The system file cache; false when the system refuses.
bool EmptySystemFileCache();

}  // namespace empty_tool
