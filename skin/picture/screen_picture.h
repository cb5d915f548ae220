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

class PaintObserver;
class PictureAhead;

// Who is told of a decode, and an early decode that may hold it already; either may be null.
struct DecodeWatch {
  PaintObserver* observer = nullptr;
  PictureAhead* ahead = nullptr;
};

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
// and a reduction made here is written to it. An early decode in `watch` that the copy serves
// instead, or made for other bytes or another screen, is let go of.
std::unique_ptr<graphics::GfxBitmap> DecodePicture(const std::vector<uint8_t>& bytes,
                                                   bool stretched, graphics::PixelSize limit,
                                                   graphics::PixelSize* natural = nullptr,
                                                   const std::wstring& cacheFile = {},
                                                   const DecodeWatch& watch = {});

// The picture, drawn at its own size in the mode, cut down to the part a client area no larger
// than `limit` can show (a copy of those pixels); left as it is when all of it can show or the
// copy cannot be made.
void KeepShownPart(std::unique_ptr<graphics::GfxBitmap>& picture, int32_t mode,
                   graphics::PixelSize limit);

// The layout mode that stretches the picture over the window; every other draws it at its own
// size (0 and 4 at the top left, 1 against the right edge, 2 centred).
inline constexpr int32_t kStretchedMode = 3;

struct PictureArea {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const PictureArea&) const = default;
};

// The part of a picture that a layout mode drawing it at its own size can ever show in a client
// area no larger than `limit`: its top-left, top-right or centre region of the limit's size.
// A centred region is one pixel larger where needed to leave an even margin on each side, so the
// part centred in any window lies on the very pixels the whole picture did. The whole picture for
// the stretched mode, for an unknown limit, and where the picture fits.
PictureArea ShownPart(int32_t mode, graphics::PixelSize picture, graphics::PixelSize limit);

class ScreenPicture {
 public:
  ScreenPicture();
  ~ScreenPicture();
  ScreenPicture(const ScreenPicture&) = delete;
  ScreenPicture& operator=(const ScreenPicture&) = delete;

  // Decodes the bytes for a screen that needs at most `limit` (LargestClientSize()) in the layout
  // mode: reduced when stretched, else cut to the part it can show; false when they are no
  // picture (nothing is kept then).
  bool Decode(const std::vector<uint8_t>& bytes, int32_t mode, graphics::PixelSize limit,
              const DecodeWatch& watch = {});
  const graphics::GfxBitmap* get() const { return bitmap_.get(); }
  // The layout mode it was decoded for.
  int32_t mode() const { return mode_; }
  // Decodes the same bytes again when a screen that needs at most `limit` needs more pixels
  // than were kept (a larger reduction, or a larger part); true when it did.
  bool Refresh(const std::vector<uint8_t>& bytes, graphics::PixelSize limit,
               const DecodeWatch& watch = {});
  // Needed before GDI+ shuts down.
  void Clear();
  // Where reduced copies are kept between runs; none when empty.
  void SetCacheFile(std::wstring path) { cacheFile_ = std::move(path); }

 private:
  std::unique_ptr<graphics::GfxBitmap> bitmap_;
  bool stretched_ = false;
  int32_t mode_ = 0;
  graphics::PixelSize natural_;  // the size the bytes decode to
  std::wstring cacheFile_;
};

}  // namespace skin
