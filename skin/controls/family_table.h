// The control-family attach operations a skinned window (and a panel) runs over its children.
#pragma once

#include <windows.h>

#include <cstdint>

namespace skin::controls {

// Runs, in this order: push buttons; check boxes and radio buttons; edits and combo boxes;
// sliders; progress bars; list-type controls; up-down controls; headers. Each is called with the
// owning window's record index and the parent whose direct children it skins.
void AttachControlFamilies(int32_t windowIndex, HWND parent);

}  // namespace skin::controls
