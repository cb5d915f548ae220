#include "graphics/jpeg_idct.h"

#include <array>
#include <cmath>

namespace graphics {
namespace {

// Per output size n (1, 2, 4, 8): weight[x][u] of frequency u in output sample x.
struct Weights {
  std::array<std::array<std::array<float, 8>, 8>, 4> of{};

  Weights() {
    const double pi = std::acos(-1.0);
    for (int level = 0; level < 4; ++level) {
      const int n = 1 << level;
      const int span = 8 / n;  // full-size samples per output sample
      for (int x = 0; x < n; ++x) {
        for (int u = 0; u < n; ++u) {
          const double c = u == 0 ? std::sqrt(0.5) : 1.0;
          // The mean of `span` neighbouring samples of a cosine is the cosine at their middle
          // times this factor.
          const double mean =
              u == 0 ? 1.0 : std::sin(span * u * pi / 16) / (span * std::sin(u * pi / 16));
          of[static_cast<size_t>(level)][static_cast<size_t>(x)][static_cast<size_t>(u)] =
              static_cast<float>(c / 2 * std::cos((2 * x + 1) * u * pi / (2 * n)) * mean);
        }
      }
    }
  }
};

const std::array<std::array<float, 8>, 8>& WeightsFor(int n) {
  static const Weights weights;
  const int level = n == 1 ? 0 : n == 2 ? 1 : n == 4 ? 2 : 3;
  return weights.of[static_cast<size_t>(level)];
}

uint8_t Level(float value) {
  const float shifted = value + 128.5f;
  if (shifted <= 0) return 0;
  if (shifted >= 255) return 255;
  return static_cast<uint8_t>(shifted);
}

}  // namespace

void InverseDctScaled(const int32_t* coefficients, int nx, int ny, uint8_t* out, ptrdiff_t stride) {
  if (nx == 1 && ny == 1) {
    *out = Level(static_cast<float>(coefficients[0]) / 8);
    return;
  }
  const auto& across = WeightsFor(nx);
  const auto& down = WeightsFor(ny);
  // Rows first (only the ny lowest hold what is needed), then columns.
  float rows[8][8];
  for (int v = 0; v < ny; ++v) {
    const int32_t* c = coefficients + v * 8;
    bool flat = true;
    for (int u = 1; u < nx; ++u) flat = flat && c[u] == 0;
    for (int x = 0; x < nx; ++x) {
      float sum = static_cast<float>(c[0]) * across[static_cast<size_t>(x)][0];
      if (!flat) {
        for (int u = 1; u < nx; ++u)
          sum += static_cast<float>(c[u]) * across[static_cast<size_t>(x)][static_cast<size_t>(u)];
      }
      rows[v][x] = sum;
    }
  }
  for (int y = 0; y < ny; ++y) {
    uint8_t* line = out + y * stride;
    const auto& w = down[static_cast<size_t>(y)];
    for (int x = 0; x < nx; ++x) {
      float sum = 0;
      for (int v = 0; v < ny; ++v) sum += rows[v][x] * w[static_cast<size_t>(v)];
      line[x] = Level(sum);
    }
  }
}

}  // namespace graphics
