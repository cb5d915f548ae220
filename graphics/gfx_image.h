// GDI+ images and bitmaps, decoded from files or bytes and encoded to bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "graphics/gfx_memory_stream.h"
#include "graphics/gfx_object.h"
#include "graphics/gfx_types.h"
#include "graphics/image_encoders.h"

namespace graphics {

class GfxImage : public GfxObject<GfxImage, Gdiplus::GpImage> {
 public:
  GfxImage() = default;
  virtual ~GfxImage() { Dispose(); }
  GfxImage(GfxImage&&) noexcept = default;
  GfxImage& operator=(GfxImage&&) noexcept = default;

  // Earlier contents are disposed first. The name is ANSI.
  bool LoadFromFile(std::wstring_view fileName, bool useIcm = false);
  // The image keeps its own copy of the bytes open for as long as it lives: GDI+ reads lazily.
  bool LoadFromBytes(std::span<const uint8_t> bytes, bool useIcm = false);
  // Encodes with the encoder for formatId (the image's own format when empty); no parameter
  // block without a list. Empty on any failure.
  std::vector<uint8_t> SaveToBytes(std::string_view formatId = {},
                                   const EncoderParameterList* parameters = nullptr) const;
  // Registry-form text of the image's own format; empty on failure.
  std::string GetRawFormat() const;
  // 0 on failure.
  uint32_t GetWidth() const;
  uint32_t GetHeight() const;
  bool RotateFlip(int32_t mode);
  // Closes the image's stream, then disposes the image. False when it holds none.
  bool Dispose();
  bool Delete() { return Dispose(); }

 protected:
  GfxMemoryStream stream_;
};

class GfxBitmap : public GfxImage {
 public:
  GfxBitmap() = default;
  GfxBitmap(GfxBitmap&&) noexcept = default;
  GfxBitmap& operator=(GfxBitmap&&) noexcept = default;

  bool LoadFromFile(std::wstring_view fileName, bool useIcm = false);
  bool LoadFromBytes(std::span<const uint8_t> bytes, bool useIcm = false);
  // Stride 0 and no pixel buffer: GDI+ allocates the pixels.
  bool Create(int32_t width, int32_t height, int32_t pixelFormat = kPixelFormat32bppArgb);
  bool FromIcon(HICON icon);
  // A copy of a GDI bitmap (not selected into any DC); no palette.
  bool FromHbitmap(HBITMAP bitmap);
  // A GDI bitmap owned by the caller; 0 on failure.
  HBITMAP GetHbitmap(Argb background = 0) const;
  // 0 on failure.
  Argb GetPixel(int32_t x, int32_t y) const;
  // Every pixel, premultiplied 32-bit, rows top down; false (and `pixels` empty) on failure.
  bool ReadPremultiplied(std::vector<uint32_t>& pixels) const;
  // A premultiplied 32-bit bitmap holding a copy of `pixels` (width x height, rows top down).
  bool CreatePremultiplied(int32_t width, int32_t height, const std::vector<uint32_t>& pixels);
  // `target` becomes this bitmap averaged down to width x height (graphics/reduce.h),
  // premultiplied. The rows are read where GDI+ holds them, in their own 24-bit form when they have
  // it, so no second copy of a large picture is made. False when the size is larger than the
  // bitmap's.
  bool ReduceInto(GfxBitmap& target, int32_t width, int32_t height) const;
  // `target` becomes a copy of that area, pixel for pixel, in this bitmap's own format. False
  // when the area is empty or not inside the bitmap.
  bool CopyAreaInto(GfxBitmap& target, int32_t x, int32_t y, int32_t width, int32_t height) const;
  bool SetPixel(int32_t x, int32_t y, Argb colour);

  Gdiplus::GpBitmap* GetBitmapHandle() const {
    return static_cast<Gdiplus::GpBitmap*>(GetHandle());
  }
};

}  // namespace graphics
