// Making a large picture smaller once, with an area-averaging (box) filter: each pixel of the
// result is the mean of the part of the picture it covers, so fine detail averages out instead
// of aliasing as sampling does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace graphics {

struct PixelSize {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const PixelSize&) const = default;
};

// The size a picture is kept at when it can never be drawn larger than `limit`: the smallest
// size with the picture's aspect that still covers the limit in both directions, so a stretch
// to any size up to the limit never enlarges it. Never larger than the picture; the picture's
// own size when the limit is unknown (not positive) or the picture is no size.
PixelSize ReducedSize(PixelSize picture, PixelSize limit);

// The layout of the rows handed to ReduceBox: 3 bytes blue, green, red (alpha taken as opaque),
// or 4 bytes of premultiplied blue, green, red, alpha.
enum class RowFormat { kBgr24, kPremultiplied32 };

// Averages width x height pixels, whose rows start `stride` bytes apart at `rows`, down to
// toWidth x toHeight premultiplied 32-bit pixels, rows top down. Empty when a size is not
// positive, the result would be larger than the source in either direction, or it is too large
// to hold.
std::vector<uint32_t> ReduceBox(const uint8_t* rows, ptrdiff_t stride, RowFormat format,
                                int32_t width, int32_t height, int32_t toWidth, int32_t toHeight);

}  // namespace graphics
