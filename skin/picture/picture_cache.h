// What a skinned window keeps of its background picture between repaints: the decoded picture
// and the background (with the border) composed at the current size. Under Wine a stretched draw of
// the picture costs about 130 ms, so both are made again only when what they depend on changes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "skin/gdi/gdi_handles.h"
#include "skin/picture/screen_picture.h"

namespace graphics {
class GfxBitmap;
}

namespace skin {

// Everything the composed background depends on.
struct BackgroundKey {
  int32_t width = 0;
  int32_t height = 0;
  const void* source = nullptr;  // which picture: the window's own or the engine's
  uint32_t version = 0;
  int32_t mode = 0;
  COLORREF fill = 0;
  int32_t gloss = 0;
  int32_t captionHeight = 0;
  int32_t border = 0;
  int32_t dpi = 0;
  bool operator==(const BackgroundKey&) const = default;
};

class PictureCache {
 public:
  PictureCache();
  ~PictureCache();
  PictureCache(const PictureCache&) = delete;
  PictureCache& operator=(const PictureCache&) = delete;
  PictureCache(PictureCache&&) noexcept;
  PictureCache& operator=(PictureCache&&) noexcept;

  // The picture decoded from the bytes, reduced to what the screen needs when it is stretched,
  // else cut to the part the mode can show (screen_picture.h); decodes only when what it was
  // decoded for changed. Null when the bytes are empty or not a picture.
  graphics::GfxBitmap* Decoded(const std::vector<uint8_t>& bytes, const void* source,
                               uint32_t version, int32_t mode, const DecodeWatch& watch = {});
  // The composed background when it was made for this key, else null.
  MemoryDc* Background(const BackgroundKey& key);
  // A fresh bitmap of the key's size for the caller to compose into. It counts as made for the
  // key only once CommitBackground says the composition succeeded.
  MemoryDc* NewBackground(const BackgroundKey& key, PaintObserver* observer = nullptr);
  void CommitBackground();
  // Drops everything; needed before GDI+ shuts down.
  void Clear();

 private:
  std::unique_ptr<graphics::GfxBitmap> decoded_;
  const void* decodedSource_ = nullptr;
  uint32_t decodedVersion_ = 0;
  int32_t decodedMode_ = 0;
  bool decodedValid_ = false;
  MemoryDc background_;
  BackgroundKey backgroundKey_;
  bool backgroundValid_ = false;
};

}  // namespace skin
