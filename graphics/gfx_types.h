// Plain records and the GDI+ declarations shared by the graphics classes.
#pragma once

// Order matters: GDI+ needs the Windows and COM declarations first.
#include <windows.h>
//
#include <objidl.h>
//
#include <gdiplus.h>

#include <cstdint>

namespace graphics {

// A GDI+ colour: alpha in the top byte, then red, green, blue.
using Argb = uint32_t;

struct GfxPointF {
  float x = 0;
  float y = 0;
};

struct GfxRectF {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
};

// Values of the GDI+ enumerations that the skin passes as plain numbers.
inline constexpr int32_t kSmoothingAntiAlias = 4;
inline constexpr int32_t kUnitWorld = 0;
inline constexpr int32_t kUnitPixel = 2;
inline constexpr int32_t kUnitPoint = 3;
inline constexpr int32_t kCombineReplace = 0;
inline constexpr int32_t kCombineIntersect = 1;
inline constexpr int32_t kCombineExclude = 4;
inline constexpr int32_t kPixelFormat32bppArgb = 0x26200A;
inline constexpr int32_t kPixelFormat32bppPArgb = 0xE200B;
inline constexpr int32_t kInterpolationNearestNeighbor = 5;
inline constexpr int32_t kInterpolationHighQualityBicubic = 7;
inline constexpr int32_t kPixelOffsetHalf = 4;
inline constexpr const char* kPngFormatId = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";

}  // namespace graphics
