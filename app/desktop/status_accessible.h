// Two units to assistive technology. The media face: a status element whose name is what the face
// shows (song, state, time and title in one line), read only. The system's own client object does
// the rest; this answers WM_GETOBJECT with it wrapped.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace app {

// For WM_GETOBJECT: the wrapped object for OBJID_CLIENT, else 0 (then the default answers).
LRESULT AnswerStatusObject(HWND window, WPARAM wParam, LPARAM lParam);
// For WM_GETOBJECT of a list box: the system's list object, each item described by
// `describe(index)` (0-based; empty for none), else 0.
LRESULT AnswerListObject(HWND list, WPARAM wParam, LPARAM lParam,
                         std::function<std::wstring(int index)> describe);

// Tells listeners the name changed, so a new song or state is read out.
void AnnounceStatusChange(HWND window);

}  // namespace app
