// The small pictures a control draws on every face (arrows, the check box's box and mark),
// decoded once for a DPI: a hover change repaints the face, and decoding a PNG costs more than
// the whole rest of a small face.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <span>

#include "graphics/gfx_image.h"

namespace skin::controls {

template <std::size_t N>
class GlyphPictures {
 public:
  // Picture i as decoded from png, which must be that picture's bytes at dpi; null when they do
  // not decode.
  const graphics::GfxBitmap* At(std::size_t i, int dpi, std::span<const unsigned char> png) {
    if (dpi_ != dpi) Release();
    dpi_ = dpi;
    if (!pictures_[i]) {
      auto decoded = std::make_shared<graphics::GfxBitmap>();
      if (!decoded->LoadFromBytes(png)) return nullptr;
      pictures_[i] = std::move(decoded);
    }
    return pictures_[i].get();
  }
  // Before GDI+ shuts down; they are decoded again when needed.
  void Release() { pictures_ = {}; }

 private:
  // Shared: a copy of a record (a face drawn for a state it is not in) draws the same pictures.
  std::array<std::shared_ptr<graphics::GfxBitmap>, N> pictures_;
  int dpi_ = 0;
};

}  // namespace skin::controls
