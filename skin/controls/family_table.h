// The control-family attach operations a skinned window (and a panel) runs over its children.
#pragma once

#include <windows.h>

#include <cstdint>

#include "skin/window_record.h"

namespace skin::controls {

// Runs, in this order: push buttons; check boxes and radio buttons; edits and combo boxes;
// sliders; progress bars; list-type controls; up-down controls; headers. Each is called with the
// owning window's record index and the parent whose direct children it skins.
void AttachControlFamilies(WindowSkinRecord* ownerRecord, HWND parent);

}  // namespace skin::controls
