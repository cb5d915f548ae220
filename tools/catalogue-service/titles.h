// Titles from tags and file names, made safe to send: tags and names are untrusted bytes.
#pragma once

#include <cstddef>
#include <string>

namespace catalogue_service {

// Longer titles are cut: the player shows about 80 bytes of one.
inline constexpr size_t kTitleMaxBytes = 1024;

// Valid UTF-8 of at most maxBytes (cut on a character boundary): every invalid sequence becomes
// U+FFFD, control characters blanks, blanks at both ends removed.
std::string CleanText(const std::string& bytes, size_t maxBytes = kTitleMaxBytes);

// "artist - title", the title alone without an artist, the file's stem without a title.
std::string DisplayTitle(const std::string& artist, const std::string& title,
                         const std::string& stem);

}  // namespace catalogue_service
