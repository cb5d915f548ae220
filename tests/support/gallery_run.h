// Runs a gallery.exe, which writes the picture of its window and ends.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// folder\gallery.exe --screenshot png, in that folder (which holds the picture it shows); its
// exit code, 0xFFFF when it did not start, 0xFFFE when it did not end within a minute.
DWORD RunGallery(const std::string& folder, const std::string& png);

}  // namespace testing_support
