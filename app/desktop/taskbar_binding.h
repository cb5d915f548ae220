// The main window's taskbar button: the presenter over the real shell, fed from a timer.
#pragma once

#include <windows.h>

namespace app {

// After the playback units, with COM running on this thread.
void StartTaskbar(HWND window, int dpi);
void StopTaskbar();
// A new taskbar button: after that message, and when the window is shown again.
void OnTaskbarButtonCreated();
// Timer and thumbnail-button messages; true when they were the taskbar's.
bool OnTaskbarTimer(WPARAM id);
bool OnThumbButton(WPARAM commandWParam);

}  // namespace app
