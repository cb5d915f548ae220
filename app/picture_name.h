// The file name part of a picture's path, for the code page 936 paths of the file dialog.
#pragma once

#include <string>

namespace app {

// The picture's file name: the part of the path after its last backslash (the whole path when it
// holds none). Double-byte characters are stepped over whole, so a trail byte equal to a
// backslash never splits a name.
std::string PictureNameOf(const std::string& path);

}  // namespace app
