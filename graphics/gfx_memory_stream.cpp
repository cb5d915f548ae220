#include "graphics/gfx_memory_stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace graphics {

GfxMemoryStream::GfxMemoryStream(GfxMemoryStream&& other) noexcept
    : block_(std::exchange(other.block_, nullptr)),
      stream_(std::exchange(other.stream_, nullptr)) {}

GfxMemoryStream& GfxMemoryStream::operator=(GfxMemoryStream&& other) noexcept {
  if (this != &other) {
    Close();
    block_ = std::exchange(other.block_, nullptr);
    stream_ = std::exchange(other.stream_, nullptr);
  }
  return *this;
}

IStream* GfxMemoryStream::Open(std::span<const uint8_t> bytes, size_t size) {
  Close();
  if (size == kWholeArray) size = bytes.size();
  block_ = GlobalAlloc(GHND, size);
  if (!block_) return nullptr;
  if (FAILED(CreateStreamOnHGlobal(block_, FALSE, &stream_))) {
    stream_ = nullptr;
    GlobalFree(block_);
    block_ = nullptr;
    return nullptr;
  }
  // Never more than the array holds, never more than the block holds.
  const size_t count = std::min(size, bytes.size());
  if (count > 0) {
    if (void* address = GlobalLock(block_)) {
      std::memcpy(address, bytes.data(), count);
      GlobalUnlock(block_);
    }
  }
  return stream_;
}

void GfxMemoryStream::Close() {
  // Growing the stream re-allocates the block; the stream knows the block it ended on.
  HGLOBAL block = GetStreamBlock();
  if (!block) block = block_;
  if (stream_) {
    stream_->Release();
    stream_ = nullptr;
  }
  if (block) GlobalFree(block);
  block_ = nullptr;
}

size_t GfxMemoryStream::GetSize() const {
  HGLOBAL block = GetStreamBlock();
  return block ? GlobalSize(block) : 0;
}

HGLOBAL GfxMemoryStream::GetStreamBlock() const {
  if (!stream_) return block_;
  HGLOBAL block = nullptr;
  return SUCCEEDED(GetHGlobalFromStream(stream_, &block)) ? block : nullptr;
}

std::vector<uint8_t> GfxMemoryStream::GetBytes() const {
  HGLOBAL block = GetStreamBlock();
  if (!block) return {};
  const size_t size = GlobalSize(block);
  std::vector<uint8_t> bytes;
  if (size == 0) return bytes;
  const void* address = GlobalLock(block);
  if (!address) return bytes;
  bytes.assign(static_cast<const uint8_t*>(address), static_cast<const uint8_t*>(address) + size);
  GlobalUnlock(block);
  return bytes;
}

}  // namespace graphics
