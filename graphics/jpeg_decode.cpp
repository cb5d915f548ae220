#include "graphics/jpeg_decode.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "graphics/jpeg_entropy.h"
#include "graphics/jpeg_idct.h"

namespace graphics {
namespace {

// Larger results than this are left to the system (a 32-bit process holds about 2 GB).
constexpr uint64_t kMaxResultBytes = uint64_t{512} << 20;

// One component's part of an MCU row, at the result's resolution.
struct Plane {
  const JpegComponent* component = nullptr;
  JpegHuffmanTable dc, ac;
  std::array<uint8_t, 64> target{};  // file order -> row-major index, 64 when not needed
  int nx = 8, ny = 8;                // inverse DCT size of one block
  int repeatX = 1, repeatY = 1;      // each of its pixels repeated (chroma at full size)
  int blockWidth = 8, blockHeight = 8;
  std::vector<uint8_t> pixels;
  int32_t predictor = 0;
};

// YCbCr to RGB in 16-bit fixed point, as the JFIF standard defines it.
struct ColourTables {
  std::array<int32_t, 256> crToR{}, cbToB{}, crToG{}, cbToG{};
  ColourTables() {
    for (int i = 0; i < 256; ++i) {
      const double c = i - 128;
      const auto fixed = [](double v) { return static_cast<int32_t>(v * 65536 + 0.5); };
      crToR[static_cast<size_t>(i)] = fixed(1.402 * c + 0.5) >> 16;
      cbToB[static_cast<size_t>(i)] = fixed(1.772 * c + 0.5) >> 16;
      crToG[static_cast<size_t>(i)] = -fixed(0.714136 * c);
      cbToG[static_cast<size_t>(i)] = -fixed(0.344136 * c) + (1 << 15);
    }
  }
};

uint8_t Clamp(int32_t v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

void ToBgr(const std::vector<Plane>& planes, int rowWidth, int y, int width, uint8_t* out) {
  const uint8_t* lum = planes[0].pixels.data() + static_cast<size_t>(y) * rowWidth;
  if (planes.size() == 1) {
    for (int x = 0; x < width; ++x, out += 3) out[0] = out[1] = out[2] = lum[x];
    return;
  }
  static const ColourTables t;
  const uint8_t* cb = planes[1].pixels.data() + static_cast<size_t>(y) * rowWidth;
  const uint8_t* cr = planes[2].pixels.data() + static_cast<size_t>(y) * rowWidth;
  for (int x = 0; x < width; ++x, out += 3) {
    const int32_t l = lum[x];
    out[0] = Clamp(l + t.cbToB[cb[x]]);
    out[1] = Clamp(l + ((t.cbToG[cb[x]] + t.crToG[cr[x]]) >> 16));
    out[2] = Clamp(l + t.crToR[cr[x]]);
  }
}

// Writes one decoded block into its plane at (x0, y0), repeated where the plane is finer.
void PlaceBlock(Plane& p, const int32_t* coefficients, int rowWidth, int x0, int y0) {
  uint8_t* at = p.pixels.data() + static_cast<size_t>(y0) * rowWidth + x0;
  if (p.repeatX == 1 && p.repeatY == 1) {
    InverseDctScaled(coefficients, p.nx, p.ny, at, rowWidth);
    return;
  }
  uint8_t block[64];
  InverseDctScaled(coefficients, p.nx, p.ny, block, 8);
  for (int y = 0; y < p.blockHeight; ++y) {
    uint8_t* line = at + static_cast<ptrdiff_t>(y) * rowWidth;
    const uint8_t* from = block + (y / p.repeatY) * 8;
    for (int x = 0; x < p.blockWidth; ++x) line[x] = from[x / p.repeatX];
  }
}

}  // namespace

PixelSize JpegScaledSize(PixelSize natural, int shift) {
  const int32_t d = 1 << shift;
  return {(natural.width + d - 1) / d, (natural.height + d - 1) / d};
}

int JpegShiftFor(PixelSize natural, PixelSize needed) {
  for (int shift = 3; shift > 0; --shift) {
    const PixelSize s = JpegScaledSize(natural, shift);
    if (s.width >= needed.width && s.height >= needed.height) return shift;
  }
  return 0;
}

std::optional<DecodedJpeg> DecodeJpeg(std::span<const uint8_t> bytes, const JpegHeader& header,
                                      int shift) {
  if (shift < 0 || shift > 3 || header.components.empty()) return std::nullopt;
  const int n = 8 >> shift;  // result pixels per block side at the largest sampling
  const int maxH = header.maxH, maxV = header.maxV;
  const int mcusAcross = (header.width + 8 * maxH - 1) / (8 * maxH);
  const int mcusDown = (header.height + 8 * maxV - 1) / (8 * maxV);
  const int rowWidth = mcusAcross * maxH * n;
  const int rowHeight = maxV * n;
  DecodedJpeg result;
  result.size = JpegScaledSize({header.width, header.height}, shift);
  const uint64_t resultBytes =
      uint64_t{3} * static_cast<uint64_t>(result.size.width) * result.size.height;
  if (resultBytes > kMaxResultBytes) return std::nullopt;
  // Every block takes at least two bits (its DC and its end): a header that claims more blocks
  // than the data can hold is refused before anything its size says is allocated.
  uint64_t blocks = 0;
  for (const JpegComponent& c : header.components) blocks += uint64_t{c.h} * c.v;
  blocks *= static_cast<uint64_t>(mcusAcross) * static_cast<uint64_t>(mcusDown);
  if (header.scanData >= bytes.size() || (bytes.size() - header.scanData) * 4 < blocks) {
    return std::nullopt;
  }

  std::vector<Plane> planes(header.components.size());
  try {
    result.bgr.resize(static_cast<size_t>(resultBytes));
    for (size_t i = 0; i < planes.size(); ++i) {
      Plane& p = planes[i];
      const JpegComponent& c = header.components[i];
      p.component = &c;
      if (!p.dc.Build(header.dc[c.dcTable]) || !p.ac.Build(header.ac[c.acTable])) {
        return std::nullopt;
      }
      p.blockWidth = n * maxH / c.h;
      p.blockHeight = n * maxV / c.v;
      p.nx = std::min(p.blockWidth, 8);
      p.ny = std::min(p.blockHeight, 8);
      p.repeatX = p.blockWidth / p.nx;
      p.repeatY = p.blockHeight / p.ny;
      for (size_t k = 0; k < 64; ++k) {
        const uint8_t at = kJpegZigzag[k];
        p.target[k] = (at & 7) < p.nx && (at >> 3) < p.ny ? at : 64;
      }
      p.pixels.resize(static_cast<size_t>(rowWidth) * rowHeight);
    }
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }

  JpegBitReader reader(bytes, header.scanData);
  int32_t coefficients[65];
  uint32_t mcu = 0;
  int restart = 0;
  for (int my = 0; my < mcusDown; ++my) {
    for (int mx = 0; mx < mcusAcross; ++mx, ++mcu) {
      if (header.restartInterval && mcu > 0 && mcu % header.restartInterval == 0) {
        if (!reader.Restart(restart)) return std::nullopt;
        restart = (restart + 1) & 7;
        for (Plane& p : planes) p.predictor = 0;
      }
      for (Plane& p : planes) {
        const JpegComponent& c = *p.component;
        for (int by = 0; by < c.v; ++by) {
          for (int bx = 0; bx < c.h; ++bx) {
            std::memset(coefficients, 0, sizeof(coefficients));
            if (!reader.DecodeBlock(p.dc, p.ac, p.predictor, header.quant[c.quant], p.target,
                                    coefficients)) {
              return std::nullopt;
            }
            PlaceBlock(p, coefficients, rowWidth, (mx * c.h + bx) * p.blockWidth,
                       by * p.blockHeight);
          }
        }
      }
    }
    for (int y = 0; y < rowHeight; ++y) {
      const int outY = my * rowHeight + y;
      if (outY >= result.size.height) break;
      ToBgr(planes, rowWidth, y, result.size.width,
            result.bgr.data() + static_cast<size_t>(outY) * result.size.width * 3);
    }
  }
  return result;
}

std::optional<ReducedJpeg> DecodeJpegReduced(std::span<const uint8_t> bytes, PixelSize limit) {
  const std::optional<JpegHeader> header = ReadJpegHeader(bytes);
  if (!header) return std::nullopt;
  ReducedJpeg reduced;
  reduced.natural = {header->width, header->height};
  reduced.size = ReducedSize(reduced.natural, limit);
  if (reduced.size == reduced.natural) return std::nullopt;
  std::optional<DecodedJpeg> decoded =
      DecodeJpeg(bytes, *header, JpegShiftFor(reduced.natural, reduced.size));
  if (!decoded) return std::nullopt;
  reduced.pixels =
      ReduceBox(decoded->bgr.data(), decoded->size.width * 3, RowFormat::kBgr24,
                decoded->size.width, decoded->size.height, reduced.size.width, reduced.size.height);
  if (reduced.pixels.empty()) return std::nullopt;
  return reduced;
}

}  // namespace graphics
