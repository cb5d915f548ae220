// Every length the windows are laid out in is a length at 96 dpi; these map it to device pixels
// at a window's DPI, rounding once, so that all painters agree on the same pixel.
#pragma once

#include <windows.h>

namespace graphics {

inline constexpr int kDesignDpi = 96;

// What a screen can really have (50 to 1000 percent); a message claiming another is ignored.
constexpr bool IsUsableDpi(int dpi) { return dpi >= 48 && dpi <= 960; }

// Half a pixel rounds away from zero, as MulDiv does; a DPI of 0 or less means 96.
constexpr int ScaleLength(int length, int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  const long long scaled = static_cast<long long>(length) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + kDesignDpi / 2) / kDesignDpi
                                      : -((-scaled + kDesignDpi / 2) / kDesignDpi));
}

// A pen keeps a whole number of device pixels and never vanishes: a 1-px line is 1 px at 120
// dpi, 2 px at 144 and 192, never a blurred 1.5.
constexpr int ScaleLine(int width, int dpi) {
  const int scaled = ScaleLength(width, dpi);
  return width > 0 && scaled < 1 ? 1 : scaled;
}

// For GDI+ geometry given in fractions of a pixel at 96 dpi.
constexpr float ScaleFloat(float length, int dpi) {
  return dpi <= 0 ? length : length * static_cast<float>(dpi) / kDesignDpi;
}

// Left and top scale as positions, width and height as lengths: a unit keeps its size whatever
// its position rounds to.
constexpr RECT ScaleBox(int left, int top, int width, int height, int dpi) {
  const int x = ScaleLength(left, dpi), y = ScaleLength(top, dpi);
  return RECT{x, y, x + ScaleLength(width, dpi), y + ScaleLength(height, dpi)};
}

// A GDI font height (negative: the character height) in pixels for a point size.
constexpr int PointsToFontHeight(int points, int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  return -((points * dpi + 36) / 72);
}

// A 96-dpi length back from device pixels (for sizes the user left in a data file).
constexpr int UnscaleLength(int pixels, int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  const long long scaled = static_cast<long long>(pixels) * kDesignDpi;
  return static_cast<int>(scaled >= 0 ? (scaled + dpi / 2) / dpi : -((-scaled + dpi / 2) / dpi));
}

}  // namespace graphics
