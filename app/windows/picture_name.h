// The file name part of a picture's path.
#pragma once

#include <string>

namespace app {

// The picture's file name: the part of the path after its last backslash (the whole path when it
// holds none).
std::wstring PictureNameOf(const std::wstring& path);

}  // namespace app
