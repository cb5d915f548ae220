// The gallery draws every kind skinned and writes its own picture; the picture is checked where
// the faces must differ from the system's look.
#include <gtest/gtest.h>

#include <string>

#include "graphics/gfx_image.h"
#include "skin/skin_settings.h"
#include "tests/support/gallery_run.h"
#include "tests/support/observe.h"
#include "tests/support/picture.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::BlockColourAt;
using testing_support::BlockPictureBytes;
using testing_support::DistFolder;
using testing_support::IsSystemColour;
using testing_support::MakeScratchFolder;
using testing_support::Near;
using testing_support::RunGallery;
using testing_support::WriteFileBytes;

// 0x00RRGGBB from the picture's ARGB, as a COLORREF.
COLORREF At(const graphics::GfxBitmap& image, int x, int y) {
  const graphics::Argb p = image.GetPixel(x, y);
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

TEST(Gallery, WritesItsPictureWithTheSkinnedFaces) {
  const ULONG_PTR gdiplus = skin::StartGdiplus();
  const std::string folder = MakeScratchFolder("gallery");
  ASSERT_TRUE(CopyFileA((DistFolder() + "\\gallery.exe").c_str(),
                        (folder + "\\gallery.exe").c_str(), FALSE));
  WriteFileBytes(folder + "\\背景\\default.jpg", BlockPictureBytes());
  const std::string png = folder + "\\gallery.png";
  ASSERT_EQ(RunGallery(folder, png), 0u);
  graphics::GfxBitmap image;
  ASSERT_TRUE(image.LoadFromFile(testing_support::Wide(png)));
  EXPECT_EQ(image.GetWidth(), 760u);
  EXPECT_EQ(image.GetHeight(), 420u);
  // The disabled push button of the first group is plain silver.
  EXPECT_EQ(At(image, 10 + 160 + 6, 34 + 20 + 12), RGB(0xC0, 0xC0, 0xC0));
  // The checked radio button has its dot, the other one not.
  EXPECT_NE(At(image, 10 + 10 + 8, 34 + 112 + 10), At(image, 10 + 85 + 8, 34 + 112 + 10));
  // Inside the group box the picture shows as it does just outside it: the picture's own pixels
  // there, not a system colour.
  int checked = 0;
  for (int y : {100, 110, 160, 175}) {
    for (int x : {212, 225, 238, 255}) {  // the last between the boxes
      const auto expected = BlockColourAt(x, y, 760, 420);
      if (!expected) continue;
      ++checked;
      EXPECT_TRUE(Near(At(image, x, y), *expected, 16) && !IsSystemColour(At(image, x, y)))
          << x << "," << y << ": " << std::hex << At(image, x, y) << " for " << *expected;
    }
  }
  EXPECT_GE(checked, 12);
  skin::ShutdownGdiplus(gdiplus);
}

}  // namespace
