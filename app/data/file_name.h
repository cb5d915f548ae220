// A song's title as a name the file system accepts, for the save dialog's suggestion.
#pragma once

#include <string>

namespace app {

// The longest stem suggested, in UTF-16 units: room is left for the folder and the extension.
inline constexpr size_t kMaxStemUnits = 120;

// `title` with the reserved characters (< > : " / \ | ? * and control characters) as '_',
// leading blanks and trailing blanks and dots removed, a device name (CON, NUL, COM1 …) given a
// leading '_', and cut to kMaxStemUnits without splitting a surrogate pair; empty when nothing
// is left.
std::wstring SafeFileStem(const std::wstring& title);

}  // namespace app
