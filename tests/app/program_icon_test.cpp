// The program icon comes at each DPI's size from the image made for that size.
#include "app/desktop/program_icon.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/desktop/ico_file.h"
#include "embedded/resources.h"
#include "graphics/dpi_context.h"

namespace {

// The icon's colour pixels, 32-bit, rows top down; empty when it is not size x size.
std::vector<uint32_t> PixelsOf(HICON icon, int size) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
  BITMAP bitmap{};
  GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB};
  HDC screen = GetDC(nullptr);
  const bool read = bitmap.bmWidth == size && bitmap.bmHeight == size &&
                    GetDIBits(screen, info.hbmColor, 0, size, pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  if (!read) pixels.clear();
  return pixels;
}

// The image of exactly that size in the program's ICO file, as an icon.
HICON ImageOfSize(int size) {
  const auto image = app::PickIcoImage(resources::player_ico, size);
  return CreateIconFromResourceEx(const_cast<PBYTE>(image.data()), static_cast<DWORD>(image.size()),
                                  TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
}

TEST(ProgramIcon, TheResourceGroupHoldsTheSixSizes) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(129), MAKEINTRESOURCEA(14));  // group
  ASSERT_NE(found, nullptr);
  const auto* group = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
  ASSERT_EQ(group[4], 6);
  const int expected[] = {16, 20, 24, 32, 48, 256};
  for (int i = 0; i < 6; ++i) {
    const uint8_t* entry = group + 6 + 14 * i;  // GRPICONDIRENTRY
    EXPECT_EQ(entry[0] == 0 ? 256 : entry[0], expected[i]);
  }
}

TEST(ProgramIcon, EachDpiGetsTheSmallIconMadeForIt) {
  EXPECT_EQ(graphics::SystemMetricForDpi(SM_CXSMICON, 96), 16);
  if (GetProcAddress(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi")) {
    EXPECT_EQ(graphics::SystemMetricForDpi(SM_CXSMICON, 144), 24);
  }
  // 100 % and 150 %: the very image of that size, not another one scaled.
  for (const int size : {16, 24}) {
    HICON loaded = app::LoadProgramIcon(size);
    HICON exact = ImageOfSize(size);
    const std::vector<uint32_t> pixels = PixelsOf(loaded, size);
    ASSERT_FALSE(pixels.empty()) << size;
    EXPECT_EQ(pixels, PixelsOf(exact, size)) << size;
    DestroyIcon(loaded);
    DestroyIcon(exact);
  }
  // A size with no image of its own is scaled down from the next larger one.
  HICON scaled = app::LoadProgramIcon(40);
  EXPECT_FALSE(PixelsOf(scaled, 40).empty());
  DestroyIcon(scaled);
  EXPECT_EQ(app::LoadProgramIcon(0), nullptr);
}

}  // namespace
