// The one place the player replaces a settings file whole: a reader sees the old content or the
// new, never a half-written file, also after a crash or a power cut.
#pragma once

#include <string>

namespace app {

// Writes the bytes beside the file, flushes them to the disk and moves them over it. False, with
// the old file as it was and no file left beside it, when any step fails.
bool WriteFileAtomically(const std::wstring& path, const std::string& bytes);

}  // namespace app
