// The control-family attach operations a skinned window (and a panel) runs over its children.
#pragma once

#include <windows.h>

#include <cstdint>

namespace skin {

// Runs, in this order: push buttons; check boxes and radio buttons; edits and combo boxes;
// sliders; progress bars; list-type controls; up-down controls; headers of list views. Each is
// called with the owning window's record index and the parent whose children it skins. The
// control skins bring these operations; until they do, the list is empty.
void AttachControlFamilies(int32_t index, HWND parent);

}  // namespace skin
