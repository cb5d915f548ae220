#include "skin/picture/reduced_picture_file.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "graphics/atomic_file.h"
#include "graphics/kernel_handle.h"

namespace skin {
namespace {

constexpr uint32_t kMagic = 0x50524C56;  // "VLRP"
// 2: the pixels carry a checksum of their own.
constexpr uint32_t kVersion = 2;
constexpr size_t kHeaderBytes = 56;
// More than any screen needs, and still a size a 32-bit process can hold.
constexpr int64_t kMaxPixels = 32 * 1024 * 1024;

struct Header {
  uint32_t magic;
  uint32_t version;
  int32_t width, height;
  int32_t naturalWidth, naturalHeight;
  int32_t limitWidth, limitHeight;
  uint64_t hash;
  uint64_t length;
  uint64_t pixelHash;
};
static_assert(sizeof(Header) == kHeaderBytes);

bool Positive(graphics::PixelSize s) { return s.width > 0 && s.height > 0; }

// A header that promises what it can hold: the pixels never larger than the picture itself.
bool Consistent(const Header& h) {
  const graphics::PixelSize size{h.width, h.height}, natural{h.naturalWidth, h.naturalHeight};
  return h.magic == kMagic && h.version == kVersion && Positive(size) && Positive(natural) &&
         Positive({h.limitWidth, h.limitHeight}) && size.width <= natural.width &&
         size.height <= natural.height &&
         static_cast<int64_t>(size.width) * size.height <= kMaxPixels;
}

// Moves size bytes through transfer(at, chunk, &done) in chunks a DWORD can count; false when a
// call fails or moves nothing.
template <typename Byte, typename Transfer>
bool InChunks(Byte* at, size_t size, Transfer transfer) {
  while (size > 0) {
    DWORD done = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 24));
    if (!transfer(at, chunk, &done) || done == 0) return false;
    at += done;
    size -= done;
  }
  return true;
}

bool ReadAll(HANDLE file, void* data, size_t size) {
  return InChunks(static_cast<uint8_t*>(data), size, [file](uint8_t* at, DWORD chunk, DWORD* done) {
    return ReadFile(file, at, chunk, done, nullptr) != 0;
  });
}

// FNV-1a over whole pixels: a file zeroed or torn under a valid header (a power cut between the
// data and the directory entry) no longer matches.
uint64_t PixelHash(const std::vector<uint32_t>& pixels) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (const uint32_t p : pixels) hash = (hash ^ p) * 0x100000001b3ull;
  return hash;
}

}  // namespace

uint64_t PictureHash(const std::vector<uint8_t>& bytes) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (const uint8_t b : bytes) hash = (hash ^ b) * 0x100000001b3ull;
  return hash;
}

std::wstring PictureCacheFile(const std::wstring& folder) { return folder + L"\\picture.cache"; }

bool WriteReducedPicture(const std::wstring& path, const ReducedPicture& picture) {
  const Header header{kMagic,
                      kVersion,
                      picture.size.width,
                      picture.size.height,
                      picture.natural.width,
                      picture.natural.height,
                      picture.limit.width,
                      picture.limit.height,
                      picture.hash,
                      picture.length,
                      PixelHash(picture.pixels)};
  if (!Consistent(header) ||
      picture.pixels.size() != static_cast<size_t>(header.width) * header.height) {
    return false;
  }
  return graphics::WriteFileAtomically(
      path, {{&header, sizeof(header)}, {picture.pixels.data(), picture.pixels.size() * 4}});
}

std::optional<ReducedPicture> ReadReducedPicture(const std::wstring& path, uint64_t hash,
                                                 uint64_t length) {
  graphics::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER fileSize{};
  if (!file.valid() || !GetFileSizeEx(file.get(), &fileSize)) return std::nullopt;
  Header h{};
  if (fileSize.QuadPart < static_cast<LONGLONG>(kHeaderBytes) ||
      !ReadAll(file.get(), &h, sizeof(h)) || !Consistent(h) || h.hash != hash ||
      h.length != length) {
    return std::nullopt;
  }
  const uint64_t count = static_cast<uint64_t>(h.width) * static_cast<uint64_t>(h.height);
  if (static_cast<uint64_t>(fileSize.QuadPart) != kHeaderBytes + count * 4) return std::nullopt;
  ReducedPicture picture{h.hash,
                         h.length,
                         {h.naturalWidth, h.naturalHeight},
                         {h.limitWidth, h.limitHeight},
                         {h.width, h.height},
                         {}};
  try {
    picture.pixels.resize(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  if (!ReadAll(file.get(), picture.pixels.data(), picture.pixels.size() * 4) ||
      PixelHash(picture.pixels) != h.pixelHash) {
    return std::nullopt;
  }
  return picture;
}

}  // namespace skin
