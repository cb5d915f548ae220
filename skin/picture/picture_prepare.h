// Reading a colour from a picture, and preparing a picture for the modes that lay it against
// one edge (0 left, 1 right): its free side and its bottom fade into a colour.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace graphics {
class GfxBitmap;
}

namespace skin {

// ARGB (alpha ignored) to COLORREF.
COLORREF ColorrefFromArgb(uint32_t argb);
// The colour of one pixel at a random position; none when the picture does not decode.
std::optional<COLORREF> SamplePictureColour(const graphics::GfxBitmap& picture);
std::optional<COLORREF> SamplePictureColour(const std::vector<uint8_t>& bytes);
// PNG bytes of the picture with its side and bottom fades into the colour; empty when the
// picture does not decode or cannot be encoded.
std::vector<uint8_t> PreparePictureForMode(const graphics::GfxBitmap& picture, COLORREF colour,
                                           int32_t mode);
std::vector<uint8_t> PreparePictureForMode(const std::vector<uint8_t>& bytes, COLORREF colour,
                                           int32_t mode);

}  // namespace skin
