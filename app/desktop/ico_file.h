// Picks one image out of the bytes of an ICO file.
#pragma once

#include <cstdint>
#include <span>

namespace app {

// The image data (a DIB or a PNG) of the entry whose size best fits `size` pixels: the exact
// size, else the smallest larger one, else the largest. Empty when the bytes are no valid ICO
// file or an entry points outside them.
std::span<const uint8_t> PickIcoImage(std::span<const uint8_t> ico, int size);

}  // namespace app
