#include "skin/contrast/contrast.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace skin {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// One sRGB channel byte, linearised.
double Linear(uint8_t channel) {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> t{};
    for (int i = 0; i < 256; ++i) {
      const double c = i / 255.0;
      t[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return t;
  }();
  return table[channel];
}

double Luminance(uint8_t r, uint8_t g, uint8_t b) {
  return 0.2126 * Linear(r) + 0.7152 * Linear(g) + 0.0722 * Linear(b);
}

// The contrast of a colour over the tone that suits it worst.
double WorstContrast(double luminance, BackgroundTones behind) {
  return std::min(ContrastRatio(luminance, behind.dark), ContrastRatio(luminance, behind.light));
}

}  // namespace

double RelativeLuminance(COLORREF colour) {
  return Luminance(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

double ContrastRatio(double luminanceA, double luminanceB) {
  const double lighter = std::max(luminanceA, luminanceB);
  const double darker = std::min(luminanceA, luminanceB);
  return (lighter + 0.05) / (darker + 0.05);
}

BackgroundTones TonesOf(const uint32_t* pixels, int32_t width, int32_t height, RECT area) {
  const LONG left = std::max<LONG>(area.left, 0), top = std::max<LONG>(area.top, 0);
  const LONG right = std::min<LONG>(area.right, width),
             bottom = std::min<LONG>(area.bottom, height);
  std::vector<double> tones;
  if (pixels && right > left && bottom > top) {
    tones.reserve(static_cast<size_t>(right - left) * static_cast<size_t>(bottom - top));
    for (LONG y = top; y < bottom; ++y) {
      for (LONG x = left; x < right; ++x) {
        const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x];
        tones.push_back(Luminance(static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                                  static_cast<uint8_t>(p)));
      }
    }
  }
  if (tones.empty()) return {0.2159, 0.2159};  // RGB(128, 128, 128)
  const auto at = [&tones](size_t k) {
    std::nth_element(tones.begin(), tones.begin() + static_cast<std::ptrdiff_t>(k), tones.end());
    return tones[k];
  };
  const size_t n = tones.size();
  const double dark = at(n / 10);
  return {dark, at(n - 1 - n / 10)};
}

Ink ReadableInk(COLORREF stated, COLORREF statedHalo, BackgroundTones behind) {
  if (WorstContrast(RelativeLuminance(stated), behind) >= kReadableContrast) {
    return {stated, statedHalo};
  }
  if (WorstContrast(1.0, behind) >= WorstContrast(0.0, behind)) return {kWhite, kBlack};
  return {kBlack, kWhite};
}

}  // namespace skin
