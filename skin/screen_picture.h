// The background picture decoded once and kept no larger than a window can ever need on this
// screen: a camera photo decodes to around a hundred megabytes, and stretching it at every
// resize made each step take a fifth of a second.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/reduce.h"

namespace graphics {
class GfxBitmap;
}

namespace skin {

// The largest client area a skinned frame can be drawn at on this screen, in the process's own
// pixels: the whole virtual screen, and never less than the primary monitor. For a DPI-aware
// process those are physical pixels, so moving to a monitor of another DPI needs no more; a
// display change can. Zero when the system does not say.
graphics::PixelSize LargestClientSize();

// The picture decoded from the bytes. When it is `stretched` (the one layout that draws it at
// another size than its own) and larger than a stretch to `limit` needs, it is reduced with the
// box filter and only the reduced copy is kept; `natural` gets the size it decoded to. Null when
// the bytes are empty or no picture. With a `cacheFile` (reduced_picture_file.h), a reduced copy
// made earlier from the same bytes for a screen at least this large is read instead of decoding,
// and a reduction made here is written to it.
std::unique_ptr<graphics::GfxBitmap> DecodePicture(const std::vector<uint8_t>& bytes,
                                                   bool stretched, graphics::PixelSize limit,
                                                   graphics::PixelSize* natural = nullptr,
                                                   const std::string& cacheFile = {});

class ScreenPicture {
 public:
  ScreenPicture();
  ~ScreenPicture();
  ScreenPicture(const ScreenPicture&) = delete;
  ScreenPicture& operator=(const ScreenPicture&) = delete;

  // Decodes the bytes for a screen that needs at most `limit` (LargestClientSize()); false when
  // they are no picture (nothing is kept then).
  bool Decode(const std::vector<uint8_t>& bytes, bool stretched, graphics::PixelSize limit);
  const graphics::GfxBitmap* get() const { return bitmap_.get(); }
  bool stretched() const { return stretched_; }
  // Decodes the same bytes again when a screen that needs at most `limit` needs more pixels
  // than were kept; true when it did.
  bool Refresh(const std::vector<uint8_t>& bytes, graphics::PixelSize limit);
  // Needed before GDI+ shuts down.
  void Clear();
  // Where reduced copies are kept between runs; none when empty.
  void SetCacheFile(std::string path) { cacheFile_ = std::move(path); }

 private:
  std::unique_ptr<graphics::GfxBitmap> bitmap_;
  bool stretched_ = false;
  graphics::PixelSize natural_;  // the size the bytes decode to
  std::string cacheFile_;
};

}  // namespace skin
