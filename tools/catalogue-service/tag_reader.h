// What the index keeps of one music file, read with TagLib.
#pragma once

#include <optional>
#include <string>

#include "track.h"

namespace catalogue_service {

// Whether the name's extension is one of the served kinds (any letter case).
bool IsMusicName(const std::string& path);
// The Content-Type of a served kind.
std::string ContentTypeOf(const std::string& path);

// Title, album and length of a playable file; nothing for a file that cannot be read or holds no
// audio TagLib can measure (damaged, or not what its name says). Path, size and time are left
// to the caller.
std::optional<Track> ReadTrack(const std::string& path);

}  // namespace catalogue_service
