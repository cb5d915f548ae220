// Colours for text and glyphs laid straight over the background picture: kept as stated where
// they read well, black or white where they would not, judged by the contrast ratio of relative
// luminances (sRGB) against the darker and the lighter parts of what lies behind.
#pragma once

#include <windows.h>

#include <cstdint>

namespace skin {

inline constexpr double kReadableContrast = 4.5;

// 0 for black to 1 for white.
double RelativeLuminance(COLORREF colour);
// (lighter + 0.05) / (darker + 0.05): 1 for equal luminances, 21 for black on white.
double ContrastRatio(double luminanceA, double luminanceB);

// The luminance of the darker and the lighter parts of a background (its 10th and 90th
// percentiles), so one bright patch in a dark picture does not count as the whole.
struct BackgroundTones {
  double dark, light;
};
// Of `area` (clipped) in a top-down 32-bit array of `width` x `height` pixels laid out as a DIB
// (0x..RRGGBB, the top byte ignored). Mid grey for an empty area.
BackgroundTones TonesOf(const uint32_t* pixels, int32_t width, int32_t height, RECT area);

struct Ink {
  COLORREF colour, halo;
};
// `stated` with `statedHalo` where it reads at kReadableContrast over both tones; otherwise
// black or white, whichever reads better, with the other as its halo.
Ink ReadableInk(COLORREF stated, COLORREF statedHalo, BackgroundTones behind);

}  // namespace skin
