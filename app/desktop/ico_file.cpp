#include "app/desktop/ico_file.h"

namespace app {
namespace {

uint32_t Read16(std::span<const uint8_t> b, size_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t Read32(std::span<const uint8_t> b, size_t at) {
  return Read16(b, at) | (Read16(b, at + 2) << 16);
}

}  // namespace

std::span<const uint8_t> PickIcoImage(std::span<const uint8_t> ico, int size) {
  constexpr size_t kHeader = 6, kEntry = 16;
  if (ico.size() < kHeader || Read16(ico, 0) != 0 || Read16(ico, 2) != 1) return {};
  const size_t count = Read16(ico, 4);
  if (count == 0 || ico.size() < kHeader + count * kEntry) return {};

  size_t best = count;
  int bestSize = 0;
  for (size_t i = 0; i < count; ++i) {
    const size_t e = kHeader + i * kEntry;
    const int s = ico[e] == 0 ? 256 : ico[e];  // a stored 0 means 256 pixels
    const uint32_t length = Read32(ico, e + 8), offset = Read32(ico, e + 12);
    if (length == 0 || offset > ico.size() || length > ico.size() - offset) continue;
    const bool better = best == count || (s == size) ||
                        (bestSize != size && ((s > size && (bestSize < size || s < bestSize)) ||
                                              (bestSize < size && s > bestSize)));
    if (better) {
      best = i;
      bestSize = s;
    }
  }
  if (best == count) return {};
  const size_t e = kHeader + best * kEntry;
  return ico.subspan(Read32(ico, e + 12), Read32(ico, e + 8));
}

}  // namespace app
