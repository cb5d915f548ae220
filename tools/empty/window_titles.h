// Window titles for the processes of a table, gathered over every window station and desktop.
#pragma once

#include "tools/empty/process_table.h"

namespace empty_tool {

void AttachWindowTitles(ProcessTable& table);

}  // namespace empty_tool
