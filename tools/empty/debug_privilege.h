// Lets the tool open processes of other users where the system allows it.
#pragma once

namespace empty_tool {

// Enables "SeDebugPrivilege" in the tool's own token; a failing step prints its message and the
// tool goes on without the privilege.
void EnableDebugPrivilege();

}  // namespace empty_tool
