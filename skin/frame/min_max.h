// The window sizes the frame allows, and the maximise rule that leaves the taskbar visible.
#pragma once

#include <windows.h>

#include "skin/window_record.h"

namespace skin {

// Height of the window of class "Shell_TrayWnd"; 0 when there is none (a bare display).
int32_t TaskbarHeight();
// The screen size less the taskbar: what a maximised window is given.
SIZE MaximisedSize();
// ptMinTrackSize from the record, ptMaxTrackSize the maximised size while maximised, else the
// record's track maximum. Nothing else changes.
void FillMinMaxInfo(const WindowSkinRecord& record, MINMAXINFO* info);

}  // namespace skin
