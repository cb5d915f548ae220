// Bilinear resizing of 32-bit premultiplied pixels, done here because the system's own
// interpolation is slow under Wine (about a tenth of a second for one window-sized picture).
#pragma once

#include <cstdint>
#include <vector>

namespace graphics {

// `source` holds width x height pixels, rows top down; the result holds toWidth x toHeight.
// Each channel is interpolated on its own, so pixels must be premultiplied for correct edges.
// Samples beyond the edge repeat the edge. Empty when either size is not positive or the
// source is too short.
std::vector<uint32_t> ResizeBilinear(const std::vector<uint32_t>& source, int32_t width,
                                     int32_t height, int32_t toWidth, int32_t toHeight);

}  // namespace graphics
