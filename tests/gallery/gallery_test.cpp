// The gallery draws every kind skinned and writes its own picture; the picture is checked where
// the faces must differ from the system's look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "graphics/gfx_image.h"
#include "skin/skin_settings.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::DistFolder;
using testing_support::MakeScratchFolder;

DWORD RunGallery(const std::string& png) {
  std::string command = "\"" + DistFolder() + "\\gallery.exe\" --screenshot \"" + png + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      DistFolder().c_str(), &si, &pi)) {
    return 0xFFFF;
  }
  DWORD code = 0xFFFE;
  if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

// 0x00RRGGBB from the picture's ARGB, as a COLORREF.
COLORREF At(const graphics::GfxBitmap& image, int x, int y) {
  const graphics::Argb p = image.GetPixel(x, y);
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST(Gallery, WritesItsPictureWithTheSkinnedFaces) {
  skin::StartGdiplus();
  const std::string png = MakeScratchFolder("gallery") + "\\gallery.png";
  ASSERT_EQ(RunGallery(png), 0u);
  graphics::GfxBitmap image;
  ASSERT_TRUE(image.LoadFromFile(png));
  EXPECT_EQ(image.GetWidth(), 760u);
  EXPECT_EQ(image.GetHeight(), 420u);
  // The disabled push button of the first group is plain silver.
  EXPECT_EQ(At(image, 10 + 160 + 6, 34 + 20 + 12), RGB(0xC0, 0xC0, 0xC0));
  // The checked radio button has its dot, the other one not.
  EXPECT_NE(At(image, 10 + 10 + 8, 34 + 112 + 10), At(image, 10 + 85 + 8, 34 + 112 + 10));
  // Inside the group box the picture shows as it does just outside it.
  for (int y = 120; y <= 170; y += 10) {
    EXPECT_TRUE(Near(At(image, 10 + 4, y), At(image, 5, y), 30)) << y;
  }
  skin::ShutdownGdiplus();
}

}  // namespace
