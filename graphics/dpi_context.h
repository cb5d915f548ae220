// The system's DPI calls, looked up at run time: the program still starts on Windows 7, which
// has none of the per-monitor ones.
#pragma once

#include <windows.h>

namespace graphics {

// Asks for per-monitor (v2, else v1) awareness, else system awareness, for a system that did
// not take it from the manifest. True when the process ends up DPI aware in some form.
bool DeclareDpiAwareness();

// The DPI the window is shown at; the system DPI where the system cannot tell per window.
int DpiForWindow(HWND window);
int SystemDpi();

// GetSystemMetrics at that DPI (the 96-dpi metric scaled where the call is missing).
int SystemMetricForDpi(int index, int dpi);

}  // namespace graphics
