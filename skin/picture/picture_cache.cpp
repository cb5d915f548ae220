#include "skin/picture/picture_cache.h"

#include "graphics/gfx_image.h"
#include "skin/frame/paint_observer.h"
#include "skin/picture/screen_picture.h"

namespace skin {

PictureCache::PictureCache() = default;
PictureCache::~PictureCache() = default;
PictureCache::PictureCache(PictureCache&&) noexcept = default;
PictureCache& PictureCache::operator=(PictureCache&&) noexcept = default;

graphics::GfxBitmap* PictureCache::Decoded(const std::vector<uint8_t>& bytes, const void* source,
                                           uint32_t version, int32_t mode,
                                           const DecodeWatch& watch) {
  if (decodedValid_ && decodedSource_ == source && decodedVersion_ == version &&
      decodedMode_ == mode) {
    return decoded_.get();
  }
  decoded_.reset();  // before the next decode: never two large pictures at once
  decodedSource_ = source;
  decodedVersion_ = version;
  decodedMode_ = mode;
  decodedValid_ = true;
  const graphics::PixelSize limit = LargestClientSize();
  decoded_ = DecodePicture(bytes, mode == kStretchedMode, limit, nullptr, {}, watch);
  if (mode != kStretchedMode) KeepShownPart(decoded_, mode, limit);
  return decoded_.get();
}

MemoryDc* PictureCache::Background(const BackgroundKey& key) {
  if (backgroundValid_ && backgroundKey_ == key && background_.dc()) return &background_;
  return nullptr;
}

MemoryDc* PictureCache::NewBackground(const BackgroundKey& key, PaintObserver* observer) {
  backgroundValid_ = false;
  if (background_.width() != key.width || background_.height() != key.height ||
      !background_.bitmap()) {
    if (!background_.SelectNewDib(key.width, key.height)) return nullptr;
  }
  if (observer) observer->BackgroundComposed();
  backgroundKey_ = key;
  return &background_;
}

void PictureCache::CommitBackground() { backgroundValid_ = background_.dc() != nullptr; }

void PictureCache::Clear() {
  decoded_.reset();
  decodedValid_ = false;
  background_.Release();
  backgroundValid_ = false;
}

}  // namespace skin
