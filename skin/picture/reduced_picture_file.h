// The background picture as reduced for the screen, kept in one file between runs: decoding a
// camera photo takes most of a second, reading its reduced pixels back a few milliseconds. The
// file is trusted only for the very bytes it was made from and for a screen no larger than the
// one it was made for; anything else in it is ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "graphics/reduce.h"

namespace skin {

// FNV-1a, 64 bits: enough to tell one picture from another, and a 3 MB photo takes milliseconds.
uint64_t PictureHash(const std::vector<uint8_t>& bytes);

// The file's name in the folder the program keeps its settings in.
std::wstring PictureCacheFile(const std::wstring& folder);

struct ReducedPicture {
  uint64_t hash = 0;             // of the picture's bytes
  uint64_t length = 0;           // of the picture's bytes
  graphics::PixelSize natural;   // the size the bytes decode to
  graphics::PixelSize limit;     // the screen it was reduced for
  graphics::PixelSize size;      // of the pixels
  std::vector<uint32_t> pixels;  // premultiplied, rows top down
};

// Replaces `path` with the picture as a whole (graphics::WriteFileAtomically). False, and `path`
// as it was, when that fails.
bool WriteReducedPicture(const std::wstring& path, const ReducedPicture& picture);

// The picture in the file when it was made from bytes of this hash and length and is whole and
// consistent, its pixels matching their checksum; nothing for a missing, short, long or damaged
// file or one of another picture.
std::optional<ReducedPicture> ReadReducedPicture(const std::wstring& path, uint64_t hash,
                                                 uint64_t length);

}  // namespace skin
