// A COM stream over a movable, zero-initialised global memory block.
#pragma once

#include <windows.h>
//
#include <objidl.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace graphics {

class GfxMemoryStream {
 public:
  GfxMemoryStream() = default;
  ~GfxMemoryStream() { Close(); }
  GfxMemoryStream(const GfxMemoryStream&) = delete;
  GfxMemoryStream& operator=(const GfxMemoryStream&) = delete;
  GfxMemoryStream(GfxMemoryStream&& other) noexcept;
  GfxMemoryStream& operator=(GfxMemoryStream&& other) noexcept;

  static constexpr size_t kWholeArray = static_cast<size_t>(-1);

  // Closes any previous stream, copies the bytes into a fresh block of the given size (the
  // array's length by default) and returns the stream over it; 0 when that fails.
  IStream* Open(std::span<const uint8_t> bytes, size_t size = kWholeArray);
  // Releases the stream and frees its block.
  void Close();
  size_t GetSize() const;
  IStream* GetStream() const { return stream_; }
  HGLOBAL GetBlock() const { return block_; }
  // The block behind the stream (it may have grown while being written to).
  HGLOBAL GetStreamBlock() const;
  // All GlobalSize bytes of the block behind the stream.
  std::vector<uint8_t> GetBytes() const;

 private:
  HGLOBAL block_ = nullptr;
  IStream* stream_ = nullptr;
};

}  // namespace graphics
