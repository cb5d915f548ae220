#include "graphics/gfx_image.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <string>

#include "graphics/gdiplus_status.h"
#include "graphics/reduce.h"

namespace graphics {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// Bytes one value of an encoder parameter type takes; 0 for types GDI+ does not know.
size_t ValueSize(uint32_t type) {
  switch (type) {
    case 1:  // byte
    case 2:  // ASCII
    case 7:  // undefined
      return 1;
    case 3:  // short
      return 2;
    case 4:  // long
      return 4;
    case 5:  // rational
    case 6:  // long range
      return 8;
    case 8:  // rational range
      return 16;
    default:
      return 0;
  }
}

// The EncoderParameters block: the count, then one record per parameter pointing into the
// caller's value bytes. False when a record is malformed or its bytes are too few to read.
bool BuildParameterBlock(const EncoderParameterList& list, std::vector<uint64_t>* block) {
  const size_t bytes =
      offsetof(EncoderParameters, Parameter) + list.size() * sizeof(EncoderParameter);
  block->assign((std::max(bytes, sizeof(EncoderParameters)) + 7) / 8, 0);
  auto* parameters = reinterpret_cast<EncoderParameters*>(block->data());
  parameters->Count = static_cast<UINT>(list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    const graphics::EncoderParameter& source = list[i];
    Gdiplus::EncoderParameter& target = parameters->Parameter[i];
    const size_t valueSize = ValueSize(source.type);
    if (valueSize == 0 || !GuidFromText(source.guid, &target.Guid)) return false;
    if (source.value.size() / valueSize < source.numberOfValues) return false;
    target.NumberOfValues = source.numberOfValues;
    target.Type = source.type;
    target.Value = const_cast<uint8_t*>(source.value.data());
  }
  return true;
}

}  // namespace

bool GfxImage::LoadFromFile(std::wstring_view fileName, bool useIcm) {
  Dispose();
  const std::wstring wide(fileName);
  GpImage* image = nullptr;
  const GpStatus status = useIcm ? GdipLoadImageFromFileICM(wide.c_str(), &image)
                                 : GdipLoadImageFromFile(wide.c_str(), &image);
  SetHandle(status == Ok ? image : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxImage::LoadFromBytes(std::span<const uint8_t> bytes, bool useIcm) {
  Dispose();
  IStream* stream = stream_.Open(bytes);
  GpImage* image = nullptr;
  const GpStatus status =
      useIcm ? GdipLoadImageFromStreamICM(stream, &image) : GdipLoadImageFromStream(stream, &image);
  SetHandle(status == Ok ? image : nullptr);
  if (status != Ok) stream_.Close();
  return RecordGdiplusStatus(status);
}

std::vector<uint8_t> GfxImage::SaveToBytes(std::string_view formatId,
                                           const EncoderParameterList* parameters) const {
  const std::string format = formatId.empty() ? GetRawFormat() : std::string(formatId);
  GUID clsid;
  if (!GuidFromText(FindEncoder(format), &clsid) || clsid == GUID{}) return {};

  std::vector<uint64_t> block;
  if (parameters && !BuildParameterBlock(*parameters, &block)) {
    RecordGdiplusStatus(InvalidParameter);
    return {};
  }
  GfxMemoryStream stream;
  IStream* target = stream.Open({});
  const auto* encoderParameters =
      parameters ? reinterpret_cast<const EncoderParameters*>(block.data()) : nullptr;
  if (!RecordGdiplusStatus(GdipSaveImageToStream(handle_, target, &clsid, encoderParameters))) {
    return {};
  }
  std::vector<uint8_t> bytes = stream.GetBytes();
  // The block may be larger than what the encoder wrote; keep only the stream's contents.
  STATSTG stat = {};
  if (SUCCEEDED(target->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.QuadPart < bytes.size()) {
    bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
  }
  return bytes;
}

std::string GfxImage::GetRawFormat() const {
  GUID format;
  if (!RecordGdiplusStatus(GdipGetImageRawFormat(handle_, &format))) return {};
  return GuidToText(format);
}

uint32_t GfxImage::GetWidth() const {
  UINT width = 0;
  return RecordGdiplusStatus(GdipGetImageWidth(handle_, &width)) ? width : 0;
}

uint32_t GfxImage::GetHeight() const {
  UINT height = 0;
  return RecordGdiplusStatus(GdipGetImageHeight(handle_, &height)) ? height : 0;
}

bool GfxImage::RotateFlip(int32_t mode) {
  return RecordGdiplusStatus(GdipImageRotateFlip(handle_, static_cast<RotateFlipType>(mode)));
}

bool GfxImage::Dispose() {
  if (!handle_) {
    stream_.Close();
    return false;
  }
  // The image goes first: GDI+ may still read the stream while it lets go of it.
  const bool ok = RecordGdiplusStatus(GdipDisposeImage(TakeHandle()));
  stream_.Close();
  return ok;
}

bool GfxBitmap::LoadFromFile(std::wstring_view fileName, bool useIcm) {
  Dispose();
  const std::wstring wide(fileName);
  GpBitmap* bitmap = nullptr;
  const GpStatus status = useIcm ? GdipCreateBitmapFromFileICM(wide.c_str(), &bitmap)
                                 : GdipCreateBitmapFromFile(wide.c_str(), &bitmap);
  SetHandle(status == Ok ? bitmap : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxBitmap::LoadFromBytes(std::span<const uint8_t> bytes, bool useIcm) {
  Dispose();
  IStream* stream = stream_.Open(bytes);
  GpBitmap* bitmap = nullptr;
  const GpStatus status = useIcm ? GdipCreateBitmapFromStreamICM(stream, &bitmap)
                                 : GdipCreateBitmapFromStream(stream, &bitmap);
  SetHandle(status == Ok ? bitmap : nullptr);
  if (status != Ok) stream_.Close();
  return RecordGdiplusStatus(status);
}

bool GfxBitmap::Create(int32_t width, int32_t height, int32_t pixelFormat) {
  Dispose();
  GpBitmap* bitmap = nullptr;
  const GpStatus status =
      GdipCreateBitmapFromScan0(width, height, 0, pixelFormat, nullptr, &bitmap);
  SetHandle(status == Ok ? bitmap : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxBitmap::FromIcon(HICON icon) {
  Dispose();
  GpBitmap* bitmap = nullptr;
  const GpStatus status = GdipCreateBitmapFromHICON(icon, &bitmap);
  SetHandle(status == Ok ? bitmap : nullptr);
  return RecordGdiplusStatus(status);
}

bool GfxBitmap::FromHbitmap(HBITMAP source) {
  Dispose();
  GpBitmap* bitmap = nullptr;
  const GpStatus status = GdipCreateBitmapFromHBITMAP(source, nullptr, &bitmap);
  SetHandle(status == Ok ? bitmap : nullptr);
  return RecordGdiplusStatus(status);
}

HBITMAP GfxBitmap::GetHbitmap(Argb background) const {
  HBITMAP bitmap = nullptr;
  if (!RecordGdiplusStatus(GdipCreateHBITMAPFromBitmap(GetBitmapHandle(), &bitmap, background))) {
    return nullptr;
  }
  return bitmap;
}

namespace {

// Copies rows between a locked bitmap and `pixels`, packed width x height, in the direction of
// `mode` (read: out of the bitmap).
bool CopyLocked(GpBitmap* bitmap, UINT width, UINT height, UINT mode, uint32_t* pixels) {
  const GpRect all{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
  BitmapData data{};
  if (!RecordGdiplusStatus(GdipBitmapLockBits(bitmap, &all, mode, PixelFormat32bppPARGB, &data))) {
    return false;
  }
  for (UINT y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) +
                                            static_cast<ptrdiff_t>(y) * data.Stride);
    uint32_t* packed = pixels + static_cast<size_t>(y) * width;
    if (mode == ImageLockModeRead) {
      std::copy_n(row, width, packed);
    } else {
      std::copy_n(packed, width, row);
    }
  }
  return RecordGdiplusStatus(GdipBitmapUnlockBits(bitmap, &data));
}

}  // namespace

bool GfxBitmap::ReadPremultiplied(std::vector<uint32_t>& pixels) const {
  pixels.clear();
  const uint32_t width = GetWidth(), height = GetHeight();
  if (!GetBitmapHandle() || width == 0 || height == 0) return false;
  try {
    pixels.resize(static_cast<size_t>(width) * height);
  } catch (const std::bad_alloc&) {
    return false;  // a picture too large to copy: the caller draws it the system's way
  }
  if (CopyLocked(GetBitmapHandle(), width, height, ImageLockModeRead, pixels.data())) return true;
  pixels.clear();
  return false;
}

bool GfxBitmap::CreatePremultiplied(int32_t width, int32_t height,
                                    const std::vector<uint32_t>& pixels) {
  if (width <= 0 || height <= 0 ||
      pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height) ||
      !Create(width, height, kPixelFormat32bppPArgb)) {
    return false;
  }
  // Write locks only copy into the bitmap; the pixels are not changed.
  return CopyLocked(GetBitmapHandle(), static_cast<UINT>(width), static_cast<UINT>(height),
                    ImageLockModeWrite, const_cast<uint32_t*>(pixels.data()));
}

bool GfxBitmap::ReduceInto(GfxBitmap& target, int32_t width, int32_t height) const {
  const uint32_t w = GetWidth(), h = GetHeight();
  PixelFormat format = 0;
  if (w == 0 || h == 0 || !RecordGdiplusStatus(GdipGetImagePixelFormat(handle_, &format))) {
    return false;
  }
  // A JPEG decodes to 24 bits: read as it is, a 32-bit lock would first convert all of it.
  const bool bgr = format == PixelFormat24bppRGB;
  const GpRect all{0, 0, static_cast<INT>(w), static_cast<INT>(h)};
  BitmapData data{};
  if (!RecordGdiplusStatus(GdipBitmapLockBits(GetBitmapHandle(), &all, ImageLockModeRead,
                                              bgr ? PixelFormat24bppRGB : PixelFormat32bppPARGB,
                                              &data))) {
    return false;
  }
  const std::vector<uint32_t> reduced =
      ReduceBox(static_cast<const uint8_t*>(data.Scan0), data.Stride,
                bgr ? RowFormat::kBgr24 : RowFormat::kPremultiplied32, static_cast<int32_t>(w),
                static_cast<int32_t>(h), width, height);
  RecordGdiplusStatus(GdipBitmapUnlockBits(GetBitmapHandle(), &data));
  return !reduced.empty() && target.CreatePremultiplied(width, height, reduced);
}

bool GfxBitmap::CopyAreaInto(GfxBitmap& target, int32_t x, int32_t y, int32_t width,
                             int32_t height) const {
  const auto w = static_cast<int32_t>(GetWidth()), h = static_cast<int32_t>(GetHeight());
  PixelFormat format = 0;
  if (width <= 0 || height <= 0 || x < 0 || y < 0 || x + width > w || y + height > h ||
      !RecordGdiplusStatus(GdipGetImagePixelFormat(handle_, &format))) {
    return false;
  }
  GpBitmap* copy = nullptr;
  if (!RecordGdiplusStatus(
          GdipCloneBitmapAreaI(x, y, width, height, format, GetBitmapHandle(), &copy))) {
    return false;
  }
  target.Dispose();
  target.SetHandle(copy);
  return true;
}

Argb GfxBitmap::GetPixel(int32_t x, int32_t y) const {
  ARGB colour = 0;
  return RecordGdiplusStatus(GdipBitmapGetPixel(GetBitmapHandle(), x, y, &colour)) ? colour : 0;
}

bool GfxBitmap::SetPixel(int32_t x, int32_t y, Argb colour) {
  return RecordGdiplusStatus(GdipBitmapSetPixel(GetBitmapHandle(), x, y, colour));
}

}  // namespace graphics
