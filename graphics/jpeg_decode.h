// Decoding the JPEGs this program can read itself (graphics/jpeg_header.h) at 1/1, 1/2, 1/4 or
// 1/8 of their size, working in the DCT domain: a camera photo the screen needs at a fifth of
// its size is decoded at a quarter, with a fraction of the work and memory of a full decode.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "graphics/jpeg_header.h"
#include "graphics/reduce.h"

namespace graphics {

struct DecodedJpeg {
  PixelSize size;
  std::vector<uint8_t> bgr;  // rows top down, 3 bytes a pixel, size.width * 3 bytes a row
};

// The size of the picture decoded at 1/2^shift: each side divided and rounded up.
PixelSize JpegScaledSize(PixelSize natural, int shift);
// The largest shift (0..3) whose size still covers `needed` in both directions.
int JpegShiftFor(PixelSize natural, PixelSize needed);

// The picture at 1/2^shift of its size (shift 0..3), each pixel the mean of the full-size pixels
// it stands for. None when the data is damaged or short, or the picture too large to hold.
std::optional<DecodedJpeg> DecodeJpeg(std::span<const uint8_t> bytes, const JpegHeader& header,
                                      int shift);

// A picture that may be stretched up to `limit`, decoded at the smallest scale that still covers
// ReducedSize(natural, limit) and box-reduced to that size: premultiplied (opaque) 32-bit pixels.
// None when the bytes are no JPEG this program reads itself, need no reduction, or are damaged:
// the system's decoder then has the last word.
struct ReducedJpeg {
  PixelSize natural;
  PixelSize size;
  std::vector<uint32_t> pixels;
};
std::optional<ReducedJpeg> DecodeJpegReduced(std::span<const uint8_t> bytes, PixelSize limit);

}  // namespace graphics
