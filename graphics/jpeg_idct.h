// The inverse DCT of one 8x8 block straight to a smaller size: nx x ny pixels (each 1, 2, 4 or
// 8) from the block's lowest nx x ny coefficients. Each pixel is the mean of the 8/nx x 8/ny
// pixels of the full-size block it stands for, so a picture decoded this way is the full
// picture reduced with a box filter, without making the full one.
#pragma once

#include <cstddef>
#include <cstdint>

namespace graphics {

// `coefficients` are dequantised, row-major; the result is written as levels 0..255 in rows
// `stride` bytes apart.
void InverseDctScaled(const int32_t* coefficients, int nx, int ny, uint8_t* out, ptrdiff_t stride);

}  // namespace graphics
