// The caption's ink: light text keeps a crisp dark edge, dark text over a light picture is drawn
// without the light halo that blurs it, and a halo stays where the picture is mixed.
#include "skin/caption/caption_ink.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

skin::BackgroundTones Tones(COLORREF dark, COLORREF light) {
  return {skin::RelativeLuminance(dark), skin::RelativeLuminance(light)};
}

TEST(CaptionInk, AnEdgeOnlyWhereItSharpensOrIsNeeded) {
  const struct {
    const char* picture;
    COLORREF stated, statedEdge;
    skin::BackgroundTones behind;
    COLORREF text, edge;
    BYTE edgeAlpha;
  } cases[] = {
      {"navy", kWhite, kGrey, Tones(RGB(12, 20, 64), RGB(30, 40, 90)), kWhite, kGrey, 150},
      {"paper", kWhite, kGrey, Tones(RGB(236, 234, 226), RGB(250, 248, 240)), kBlack, kWhite, 0},
      // Dark and light parts together: whichever reads better, with the other round it.
      {"mixed", kWhite, kGrey, Tones(RGB(10, 10, 10), RGB(240, 240, 240)), kWhite, kBlack, 150},
      {"mid grey", kWhite, kGrey, Tones(RGB(150, 150, 150), RGB(170, 170, 170)), kBlack, kWhite, 0},
      // A caller's own dark colours are kept as they were asked for.
      {"stated dark", kBlack, kWhite, Tones(RGB(236, 234, 226), RGB(250, 248, 240)), kBlack, kWhite,
       150},
  };
  for (const auto& c : cases) {
    const skin::CaptionInk ink = skin::CaptionInkFor(c.stated, c.statedEdge, c.behind);
    EXPECT_EQ(ink.text, c.text) << c.picture;
    EXPECT_EQ(ink.edgeAlpha, c.edgeAlpha) << c.picture;
    if (c.edgeAlpha > 0) {
      EXPECT_EQ(ink.edge, c.edge) << c.picture;
    }
  }
}

}  // namespace
