#include "tests/support/picture.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace testing_support {
namespace {

constexpr int kColumns = 4, kRows = 3, kBlock = 40;
constexpr int kWidth = kColumns * kBlock, kHeight = kRows * kBlock;
// Hand-picked: far from grey, white, black and the transparent key 0xFF00FF.
const COLORREF kColours[kRows][kColumns] = {
    {RGB(0xE0, 0x40, 0x30), RGB(0x30, 0xA0, 0x40), RGB(0x20, 0x60, 0xD0), RGB(0xD0, 0xB0, 0x10)},
    {RGB(0x90, 0x20, 0xB0), RGB(0x10, 0xB0, 0xB0), RGB(0xF0, 0x80, 0x20), RGB(0x50, 0x30, 0x90)},
    {RGB(0x80, 0xC0, 0x20), RGB(0xC0, 0x20, 0x70), RGB(0x20, 0x80, 0x60), RGB(0x60, 0x90, 0xF0)},
};

void PutLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string BlockPictureBytes() {
  const uint32_t rowBytes = kWidth * 3;  // a multiple of 4: no padding
  const uint32_t pixelBytes = rowBytes * kHeight;
  std::string bmp = "BM";
  PutLe(bmp, 54 + pixelBytes, 4);
  PutLe(bmp, 0, 4);
  PutLe(bmp, 54, 4);
  PutLe(bmp, 40, 4);  // BITMAPINFOHEADER
  PutLe(bmp, kWidth, 4);
  PutLe(bmp, kHeight, 4);  // bottom-up
  PutLe(bmp, 1, 2);
  PutLe(bmp, 24, 2);
  PutLe(bmp, 0, 4);
  PutLe(bmp, pixelBytes, 4);
  PutLe(bmp, 2835, 4);
  PutLe(bmp, 2835, 4);
  PutLe(bmp, 0, 4);
  PutLe(bmp, 0, 4);
  for (int y = kHeight - 1; y >= 0; --y) {
    for (int x = 0; x < kWidth; ++x) {
      const COLORREF c = kColours[y / kBlock][x / kBlock];
      bmp.push_back(static_cast<char>(GetBValue(c)));
      bmp.push_back(static_cast<char>(GetGValue(c)));
      bmp.push_back(static_cast<char>(GetRValue(c)));
    }
  }
  return bmp;
}

std::optional<COLORREF> BlockColourAt(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  // Where the point falls in the picture, in its own pixels, and how far from a block's edge.
  const double px = (x + 0.5) * kWidth / width, py = (y + 0.5) * kHeight / height;
  if (px < 0 || py < 0 || px >= kWidth || py >= kHeight) return std::nullopt;
  const double inX = px - static_cast<int>(px / kBlock) * kBlock;
  const double inY = py - static_cast<int>(py / kBlock) * kBlock;
  constexpr double kMargin = 4;  // picture pixels; stretched, a few window pixels blend
  if (inX < kMargin || inX > kBlock - kMargin || inY < kMargin || inY > kBlock - kMargin) {
    return std::nullopt;
  }
  return kColours[static_cast<int>(py) / kBlock][static_cast<int>(px) / kBlock];
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

bool IsSystemColour(COLORREF colour) {
  for (int index = COLOR_SCROLLBAR; index <= COLOR_MENUBAR; ++index) {
    if (Near(colour, GetSysColor(index), 12)) return true;
  }
  return false;
}

}  // namespace testing_support
