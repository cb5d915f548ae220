// A PNG of a window's client area, as it is on the screen, through the project's encoders.
#pragma once

#include <windows.h>

#include <string>

namespace gallery {

// True when the file was written.
bool WriteWindowPng(HWND window, const std::wstring& fileName);

}  // namespace gallery
