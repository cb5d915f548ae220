#include "graphics/resize.h"

#include <algorithm>

namespace graphics {
namespace {

// Where each destination column or row samples: the two source indices and the weight of the
// second, in 1/256ths. Pixel i samples the source at i * from / to, as the system's own
// stretching does (no half-pixel offset), so a picture lands where it always did.
struct Tap {
  int32_t first, second;
  uint32_t weight;
};

std::vector<Tap> Taps(int32_t from, int32_t to) {
  std::vector<Tap> taps(static_cast<size_t>(to));
  for (int32_t i = 0; i < to; ++i) {
    const double at = static_cast<double>(i) * from / to;
    const double clamped = std::clamp(at, 0.0, static_cast<double>(from - 1));
    const auto first = static_cast<int32_t>(clamped);
    taps[static_cast<size_t>(i)] = {first, std::min(first + 1, from - 1),
                                    static_cast<uint32_t>((clamped - first) * 256 + 0.5)};
  }
  return taps;
}

uint32_t Mix(uint32_t a, uint32_t b, uint32_t weight) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    out |= ((x * (256 - weight) + y * weight + 128) >> 8) << shift;
  }
  return out;
}

}  // namespace

std::vector<uint32_t> ResizeBilinear(const std::vector<uint32_t>& source, int32_t width,
                                     int32_t height, int32_t toWidth, int32_t toHeight) {
  if (width <= 0 || height <= 0 || toWidth <= 0 || toHeight <= 0 ||
      source.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) {
    return {};
  }
  const std::vector<Tap> columns = Taps(width, toWidth), rows = Taps(height, toHeight);
  std::vector<uint32_t> out(static_cast<size_t>(toWidth) * static_cast<size_t>(toHeight));
  uint32_t* o = out.data();
  for (const Tap& row : rows) {
    const uint32_t* upper = source.data() + static_cast<size_t>(row.first) * width;
    const uint32_t* lower = source.data() + static_cast<size_t>(row.second) * width;
    for (const Tap& column : columns) {
      const uint32_t top = Mix(upper[column.first], upper[column.second], column.weight);
      const uint32_t bottom = Mix(lower[column.first], lower[column.second], column.weight);
      *o++ = Mix(top, bottom, row.weight);
    }
  }
  return out;
}

}  // namespace graphics
