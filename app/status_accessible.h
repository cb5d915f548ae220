// The media face to assistive technology: a status element whose name is what the face shows
// (song, state, time and title in one line), read only. The system's own client object does the
// rest; this answers WM_GETOBJECT with it wrapped.
#pragma once

#include <windows.h>

namespace app {

// For WM_GETOBJECT: the wrapped object for OBJID_CLIENT, else 0 (then the default answers).
LRESULT AnswerStatusObject(HWND window, WPARAM wParam, LPARAM lParam);
// Tells listeners the name changed, so a new song or state is read out.
void AnnounceStatusChange(HWND window);

}  // namespace app
