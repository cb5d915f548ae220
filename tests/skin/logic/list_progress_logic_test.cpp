// List-type and progress skins without a window: which styles get a frame, how items are laid
// over the picture, and how far a progress bar is filled and where its bar lies.
#include <gtest/gtest.h>

#include "skin/controls/list_helpers.h"
#include "skin/controls/progress_bar.h"

namespace {

namespace c = skin::controls;

TEST(ListStyles, FrameScrollBarAndOwnerDrawTests) {
  struct Case {
    LONG style, exStyle;
    bool frame, scroll, ownerDraw;
  };
  const Case cases[] = {
      {WS_CHILD, 0, false, false, false},
      {WS_BORDER, 0, true, false, false},
      {0, WS_EX_CLIENTEDGE, true, false, false},
      {0, WS_EX_WINDOWEDGE, true, false, false},
      {0, WS_EX_DLGMODALFRAME, true, false, false},
      {0, WS_EX_STATICEDGE, false, false, false},  // a static edge is not a frame here
      {WS_VSCROLL, 0, false, true, false},
      {WS_HSCROLL | WS_BORDER, 0, true, true, false},
      {LBS_OWNERDRAWFIXED, 0, false, false, true},
      {LBS_OWNERDRAWVARIABLE | WS_VSCROLL, 0, false, true, true},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(c::HasFrameStyle(k.style, k.exStyle), k.frame)
        << std::hex << k.style << " " << k.exStyle;
    EXPECT_EQ(c::HasScrollBarStyle(k.style), k.scroll) << std::hex << k.style;
    EXPECT_EQ(c::IsOwnerDrawListStyle(k.style), k.ownerDraw) << std::hex << k.style;
  }
}

TEST(ListItems, PaintedOnBlackAndOnWhiteTheyLetThroughOnlyWhatTheyDoNotCover) {
  struct Case {
    uint32_t onBlack, onWhite, under, out;
  };
  const Case cases[] = {
      {0x000000, 0xFFFFFF, 0x3366CC, 0x3366CC},  // bare background: the picture
      {0x0078D7, 0x0078D7, 0x3366CC, 0x0078D7},  // selected item: opaque highlight
      {0x000000, 0x000000, 0x3366CC, 0x000000},  // black text
      {0x000000, 0x808080, 0x3366CC, 0x193366},  // half-covered text edge: half the picture
      {0x000000, 0xFF8080, 0xFFFFFF, 0xFF8080},  // per channel, as sub-pixel edges need
      {0xFFFFFF, 0x000000, 0x3366CC, 0xCC9933},  // inverted focus dots invert the picture
  };
  for (const Case& k : cases) {
    uint32_t under = k.under;
    c::LayOverBackground(&k.onBlack, &k.onWhite, &under, 1);
    EXPECT_EQ(under, k.out) << std::hex << k.onBlack << " " << k.onWhite << " " << k.under;
  }
}

TEST(ProgressFill, RoundsDownStaysOnTheTrackAndFillsNothingForAnEmptyRange) {
  struct Case {
    int32_t pos, low, high, length, filled;
  };
  const Case cases[] = {
      {0, 0, 100, 390, 0},
      {50, 0, 100, 390, 195},
      {100, 0, 100, 390, 390},
      {10, 0, 100, 387, 38},  // 38.7 rounds down
      {99, 0, 100, 10, 9},    // full only at the high end
      {-5, 0, 100, 200, 0},
      {150, 0, 100, 200, 200},  // outside the range: kept on the track
      {-50, -100, 0, 80, 40},
      {7, 7, 7, 80, 0},     // empty range: nothing
      {5, 10, 0, 100, 50},  // a range given high to low still fills by its share
      {2000000000, -2000000000, 2000000000, 1000, 1000},  // no overflow
      {50, 0, 100, 0, 0},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(c::ProgressFilled(k.pos, k.low, k.high, k.length), k.filled)
        << k.pos << " in " << k.low << ".." << k.high << " over " << k.length;
  }
}

TEST(ProgressFill, BarLiesInsideTheFilledPartAndAVerticalOneStandsOnTheBottom) {
  struct Case {
    int32_t w, h;
    bool vertical;
    int32_t filled;
    float x, y, width, height;
  };
  const Case cases[] = {
      {200, 20, false, 0, 0, 0, 0, 0},     {200, 20, false, 100, 1, 1, 97, 17},
      {200, 20, false, 2, 1, 1, 0, 17},  // too short to show
      {20, 200, true, 40, 1, 161, 17, 37}, {20, 200, true, 200, 1, 1, 17, 197},
  };
  for (const Case& k : cases) {
    const graphics::GfxRectF r = c::ProgressBarShape(k.w, k.h, k.vertical, k.filled);
    EXPECT_EQ(r.x, k.x) << k.filled;
    EXPECT_EQ(r.y, k.y) << k.filled;
    EXPECT_EQ(r.width, k.width) << k.filled;
    EXPECT_EQ(r.height, k.height) << k.filled;
  }
}

}  // namespace
