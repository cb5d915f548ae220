#include "skin/picture/screen_picture.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "graphics/gfx_image.h"
#include "graphics/jpeg_decode.h"
#include "skin/frame/paint_observer.h"
#include "skin/picture/picture_ahead.h"
#include "skin/picture/reduced_picture_file.h"

namespace skin {

graphics::PixelSize LargestClientSize() {
  return {std::max(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CXSCREEN)),
          std::max(GetSystemMetrics(SM_CYVIRTUALSCREEN), GetSystemMetrics(SM_CYSCREEN))};
}

namespace {

bool Covers(graphics::PixelSize outer, graphics::PixelSize inner) {
  return outer.width >= inner.width && outer.height >= inner.height;
}

std::unique_ptr<graphics::GfxBitmap> FromCache(const std::wstring& cacheFile, uint64_t hash,
                                               size_t length, graphics::PixelSize limit,
                                               graphics::PixelSize* natural) {
  std::optional<ReducedPicture> cached = ReadReducedPicture(cacheFile, hash, length);
  if (!cached || !Covers(cached->limit, limit)) return nullptr;
  auto bitmap = std::make_unique<graphics::GfxBitmap>();
  if (!bitmap->CreatePremultiplied(cached->size.width, cached->size.height, cached->pixels)) {
    return nullptr;
  }
  if (natural) *natural = cached->natural;
  return bitmap;
}

}  // namespace

std::unique_ptr<graphics::GfxBitmap> DecodePicture(const std::vector<uint8_t>& bytes,
                                                   bool stretched, graphics::PixelSize limit,
                                                   graphics::PixelSize* natural,
                                                   const std::wstring& cacheFile,
                                                   const DecodeWatch& watch) {
  if (bytes.empty()) return nullptr;
  // Only a reduced copy is worth keeping: a picture kept whole decodes about as fast as it reads.
  const bool cached = stretched && !cacheFile.empty() && limit.width > 0 && limit.height > 0;
  const uint64_t hash = cached ? PictureHash(bytes) : 0;
  if (cached) {
    if (auto bitmap = FromCache(cacheFile, hash, bytes.size(), limit, natural)) {
      if (watch.ahead) watch.ahead->Forget();
      return bitmap;
    }
  }
  if (watch.observer) watch.observer->PictureDecoded();
  // Most photos are JPEGs this program decodes itself straight at a fraction of their size;
  // anything else, or damage, goes to the system's decoder.
  if (stretched) {
    std::optional<graphics::ReducedJpeg> own;
    if (!watch.ahead || !watch.ahead->Take(bytes, limit, own)) {
      // A decode ahead for other bytes or another screen: nothing will take it now.
      if (watch.ahead) watch.ahead->Forget();
      own = graphics::DecodeJpegReduced(bytes, limit);
    }
    if (own) {
      auto reduced = std::make_unique<graphics::GfxBitmap>();
      if (reduced->CreatePremultiplied(own->size.width, own->size.height, own->pixels)) {
        if (natural) *natural = own->natural;
        ReducedPicture copy{hash,  bytes.size(), own->natural,
                            limit, own->size,    std::move(own->pixels)};
        if (cached) WriteReducedPicture(cacheFile, copy);
        return reduced;
      }
    }
  }
  auto decoded = std::make_unique<graphics::GfxBitmap>();
  if (!decoded->LoadFromBytes(bytes)) return nullptr;
  const graphics::PixelSize size{static_cast<int32_t>(decoded->GetWidth()),
                                 static_cast<int32_t>(decoded->GetHeight())};
  if (size.width <= 0 || size.height <= 0) return nullptr;
  if (natural) *natural = size;
  if (!stretched) return decoded;
  const graphics::PixelSize kept = graphics::ReducedSize(size, limit);
  if (kept == size) return decoded;
  auto reduced = std::make_unique<graphics::GfxBitmap>();
  // Should the reduction fail (memory), the full picture still draws, only slower.
  if (!decoded->ReduceInto(*reduced, kept.width, kept.height)) return decoded;
  decoded.reset();
  ReducedPicture copy{hash, bytes.size(), size, limit, kept, {}};
  // A copy that cannot be kept only makes the next start slower.
  if (cached && reduced->ReadPremultiplied(copy.pixels)) WriteReducedPicture(cacheFile, copy);
  return reduced;
}

PictureArea ShownPart(int32_t mode, graphics::PixelSize picture, graphics::PixelSize limit) {
  const PictureArea whole{0, 0, picture.width, picture.height};
  if (mode == kStretchedMode || limit.width <= 0 || limit.height <= 0) return whole;
  const auto centred = [](int32_t size, int32_t room, int32_t* start) {
    if (size <= room) return size;
    const int32_t kept = room + ((size - room) & 1);
    *start = (size - kept) / 2;
    return kept;
  };
  PictureArea part = whole;
  if (mode == 2) {
    part.width = centred(picture.width, limit.width, &part.x);
    part.height = centred(picture.height, limit.height, &part.y);
    return part;
  }
  part.width = std::min(picture.width, limit.width);
  part.height = std::min(picture.height, limit.height);
  if (mode == 1) part.x = picture.width - part.width;
  return part;
}

void KeepShownPart(std::unique_ptr<graphics::GfxBitmap>& picture, int32_t mode,
                   graphics::PixelSize limit) {
  if (!picture) return;
  const graphics::PixelSize size{static_cast<int32_t>(picture->GetWidth()),
                                 static_cast<int32_t>(picture->GetHeight())};
  const PictureArea part = ShownPart(mode, size, limit);
  if (part.width == size.width && part.height == size.height) return;
  auto cut = std::make_unique<graphics::GfxBitmap>();
  if (picture->CopyAreaInto(*cut, part.x, part.y, part.width, part.height))
    picture = std::move(cut);
}

ScreenPicture::ScreenPicture() = default;
ScreenPicture::~ScreenPicture() = default;

bool ScreenPicture::Decode(const std::vector<uint8_t>& bytes, int32_t mode,
                           graphics::PixelSize limit, const DecodeWatch& watch) {
  Clear();
  const bool stretched = mode == kStretchedMode;
  bitmap_ = DecodePicture(bytes, stretched, limit, &natural_, cacheFile_, watch);
  if (!bitmap_) return false;
  if (!stretched) KeepShownPart(bitmap_, mode, limit);
  stretched_ = stretched;
  mode_ = mode;
  return true;
}

bool ScreenPicture::Refresh(const std::vector<uint8_t>& bytes, graphics::PixelSize limit,
                            const DecodeWatch& watch) {
  if (!bitmap_) return false;
  const PictureArea part = ShownPart(mode_, natural_, limit);
  const graphics::PixelSize needed = stretched_ ? graphics::ReducedSize(natural_, limit)
                                                : graphics::PixelSize{part.width, part.height};
  if (needed.width <= static_cast<int32_t>(bitmap_->GetWidth()) &&
      needed.height <= static_cast<int32_t>(bitmap_->GetHeight())) {
    return false;
  }
  return Decode(bytes, mode_, limit, watch);
}

void ScreenPicture::Clear() {
  bitmap_.reset();
  stretched_ = false;
  mode_ = 0;
  natural_ = {};
}

}  // namespace skin
