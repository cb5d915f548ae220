// The ink of text and glyphs laid over the picture: the stated colour where it reads at 4.5:1,
// black or white where it does not.
#include "skin/contrast/contrast.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using skin::BackgroundTones;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

BackgroundTones Flat(COLORREF c) {
  const double l = skin::RelativeLuminance(c);
  return {l, l};
}

TEST(Contrast, TheStatedColourStaysOnlyWhereItReads) {
  EXPECT_NEAR(skin::ContrastRatio(1.0, 0.0), 21.0, 1e-9);
  EXPECT_NEAR(skin::RelativeLuminance(kGrey), 0.2159, 1e-3);
  const struct {
    COLORREF stated, halo;
    BackgroundTones behind;
    COLORREF colour, haloOut;
  } cases[] = {
      {kWhite, kGrey, Flat(RGB(0, 0, 64)), kWhite, kGrey},        // white over navy: kept
      {kWhite, kGrey, Flat(RGB(240, 240, 230)), kBlack, kWhite},  // white over a light picture
      {RGB(255, 0, 0), kGrey, Flat(RGB(0, 0, 64)), RGB(255, 0, 0), kGrey},  // 4.9:1, kept
      {RGB(255, 0, 0), kGrey, Flat(kWhite), kBlack, kWhite},                // red over white: 4.0:1
      {kBlack, kWhite, Flat(RGB(20, 30, 40)), kWhite, kBlack},    // black labels over dark
      {kGrey, kWhite, Flat(kWhite), kBlack, kWhite},              // grey over white: 3.9:1
      {kWhite, kGrey, Flat(RGB(118, 118, 118)), kWhite, kGrey},   // 4.54:1
      {kWhite, kGrey, Flat(RGB(119, 119, 119)), kBlack, kWhite},  // 4.48:1
      // Light and dark parts behind: neither reads over both; the halo takes the other extreme.
      {kWhite, kGrey, {0.0, 0.9}, kWhite, kBlack},
  };
  for (const auto& c : cases) {
    const skin::Ink ink = skin::ReadableInk(c.stated, c.halo, c.behind);
    EXPECT_EQ(ink.colour, c.colour) << std::hex << c.stated << " over " << c.behind.light;
    EXPECT_EQ(ink.halo, c.haloOut) << std::hex << c.stated << " over " << c.behind.light;
  }
}

TEST(Contrast, TonesAreTheDarkAndLightPartsOfTheAreaNotItsOddPixels) {
  // 10 x 10: black, with one white column and five white pixels in the next.
  std::vector<uint32_t> pixels(100, 0xFF000000);
  for (int y = 0; y < 10; ++y) pixels[y * 10 + 9] = 0xFFFFFFFF;
  for (int y = 0; y < 5; ++y) pixels[y * 10 + 8] = 0xFFFFFFFF;
  BackgroundTones t = skin::TonesOf(pixels.data(), 10, 10, {0, 0, 10, 10});
  EXPECT_EQ(t.dark, 0.0);
  EXPECT_EQ(t.light, 1.0);  // 15 of 100 white: the light part counts
  t = skin::TonesOf(pixels.data(), 10, 10, {0, 0, 9, 10});
  EXPECT_EQ(t.light, 0.0);                                   // 5 of 90: odd pixels
  t = skin::TonesOf(pixels.data(), 10, 10, {8, -5, 20, 3});  // clipped to the array
  EXPECT_EQ(t.dark, 1.0);
  // Channels as a DIB lays them out: 0x00RRGGBB.
  const uint32_t red = 0x00FF0000;
  EXPECT_NEAR(skin::TonesOf(&red, 1, 1, {0, 0, 1, 1}).dark, 0.2126, 1e-4);
  t = skin::TonesOf(pixels.data(), 10, 10, {5, 5, 5, 9});  // empty: mid grey
  EXPECT_EQ(t.dark, t.light);
}

}  // namespace
