// The program's own JPEG decoder on arbitrary bytes: every length comes from the file, so none
// may lead a read or a write astray, and a picture it gives has the size it promised.
#include "graphics/jpeg_decode.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  const auto header = graphics::ReadJpegHeader(bytes);
  if (!header) return 0;
  FUZZ_CHECK(header->width > 0 && header->height > 0 && header->scanData <= size);
  for (int shift = 0; shift <= 3; ++shift) {
    const auto decoded = graphics::DecodeJpeg(bytes, *header, shift);
    if (!decoded) continue;
    FUZZ_CHECK(decoded->size == graphics::JpegScaledSize({header->width, header->height}, shift));
    FUZZ_CHECK(decoded->bgr.size() ==
               static_cast<size_t>(decoded->size.width) * decoded->size.height * 3);
  }
  const auto reduced = graphics::DecodeJpegReduced(bytes, {header->width / 3, header->height / 3});
  if (reduced) {
    FUZZ_CHECK(reduced->pixels.size() ==
               static_cast<size_t>(reduced->size.width) * reduced->size.height);
    FUZZ_CHECK(reduced->size.width <= header->width && reduced->size.height <= header->height);
  }
  return 0;
}
