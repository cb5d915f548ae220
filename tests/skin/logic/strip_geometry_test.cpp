// The caption-button strip: widths, positions, hit tests on the exact edges.
#include <gtest/gtest.h>

#include "skin/caption/caption_strip.h"

namespace {

using skin::CaptionButton;
using skin::WindowSkinRecord;

CaptionButton Button(int32_t kind) {
  CaptionButton b;
  b.kind = kind;
  b.width = kind == skin::kButtonClose ? skin::kCloseButtonWidth : skin::kCaptionButtonWidth;
  return b;
}

WindowSkinRecord WithButtons(std::initializer_list<int32_t> kinds, int32_t clientRight = 300) {
  WindowSkinRecord record;
  for (int32_t kind : kinds) record.captionButtons.push_back(Button(kind));
  skin::PlaceStrip(record, clientRight, 3);
  skin::LayoutStripGeometry(record, clientRight);
  return record;
}

TEST(StripGeometry, CloseOnlyIs41WideWithTheButtonTwoPixelsIn) {
  WindowSkinRecord record;
  record.captionButtons.push_back(Button(skin::kButtonClose));
  skin::PlaceStrip(record, 300, 3);
  EXPECT_EQ(record.stripWidth, 41);
  EXPECT_EQ(record.stripHeight, 22);
  EXPECT_EQ(record.stripX, 300 - 3 - 41 - 2);  // the first placement
  EXPECT_EQ(record.stripY, 0);

  skin::LayoutStripGeometry(record, 300);
  EXPECT_EQ(record.stripX, 300 - 41 + 1);
  const auto& r = record.captionButtons[0].rect;
  EXPECT_EQ(r.x, record.stripX + 2);
  EXPECT_EQ(r.y, 1);
  EXPECT_EQ(r.width, 40);  // two pixels wider than its image
  EXPECT_EQ(r.height, 18);
}

TEST(StripGeometry, MinimizeMaximizeCloseStand27Apart) {
  const WindowSkinRecord record =
      WithButtons({skin::kButtonMinimize, skin::kButtonMaximize, skin::kButtonClose});
  EXPECT_EQ(record.stripWidth, 26 + 26 + 38 + 2 + 3);
  EXPECT_EQ(record.captionButtons[0].rect.x, record.stripX + 2);
  EXPECT_EQ(record.captionButtons[1].rect.x, record.stripX + 29);
  EXPECT_EQ(record.captionButtons[2].rect.x, record.stripX + 56);
  EXPECT_EQ(record.captionButtons[0].rect.width, 26);
  EXPECT_EQ(record.captionButtons[1].rect.width, 26);
  EXPECT_EQ(record.captionButtons[2].rect.width, 40);
}

TEST(StripGeometry, AllFiveButtons) {
  const WindowSkinRecord record =
      WithButtons({skin::kButtonHelp, skin::kButtonMainMenu, skin::kButtonMinimize,
                   skin::kButtonMaximize, skin::kButtonClose});
  EXPECT_EQ(record.stripWidth, 4 * 26 + 38 + 4 + 3);
  EXPECT_EQ(record.captionButtons[4].rect.x, record.stripX + 2 + 4 * 27);
  EXPECT_EQ(skin::FindMaximizeButton(record), 4);
}

TEST(StripGeometry, ToolRectanglesAreTheButtonRectangles) {
  const WindowSkinRecord record = WithButtons({skin::kButtonMinimize, skin::kButtonClose});
  const RECT tool = skin::ButtonToolRect(record.captionButtons[1]);
  EXPECT_EQ(tool.left, record.stripX + 29);
  EXPECT_EQ(tool.top, 1);
  EXPECT_EQ(tool.right, record.stripX + 29 + 40);
  EXPECT_EQ(tool.bottom, 19);
}

TEST(HitTest, OnlyPointsStrictlyInsideAButtonHit) {
  const WindowSkinRecord record =
      WithButtons({skin::kButtonMinimize, skin::kButtonMaximize, skin::kButtonClose});
  const int32_t x1 = record.stripX + 2;  // button 1 spans x1 .. x1 + 26
  EXPECT_EQ(skin::HitTestCaptionButton(record, x1, 10), 0);
  EXPECT_EQ(skin::HitTestCaptionButton(record, x1 + 1, 10), 1);
  EXPECT_EQ(skin::HitTestCaptionButton(record, x1 + 25, 10), 1);
  EXPECT_EQ(skin::HitTestCaptionButton(record, x1 + 26, 10), 0);  // right edge
  EXPECT_EQ(skin::HitTestCaptionButton(record, x1 + 27, 10), 0);  // left edge of button 2
  EXPECT_EQ(skin::HitTestCaptionButton(record, x1 + 28, 10), 2);
  EXPECT_EQ(skin::HitTestCaptionButton(record, x1 + 10, 1), 0);  // top edge
  EXPECT_EQ(skin::HitTestCaptionButton(record, x1 + 10, 2), 1);
  EXPECT_EQ(skin::HitTestCaptionButton(record, x1 + 10, 18), 1);
  EXPECT_EQ(skin::HitTestCaptionButton(record, x1 + 10, 19), 0);  // bottom edge
  EXPECT_EQ(skin::HitTestCaptionButton(record, record.stripX + 60, 10), 3);
  EXPECT_EQ(skin::HitTestCaptionButton(record, record.stripX - 1, 10), 0);
  EXPECT_EQ(skin::HitTestCaptionButton(record, x1 + 10, -1), 0);
}

TEST(HitTest, StripTestReachesTwoPixelsLeftAndDownTo22) {
  const WindowSkinRecord record = WithButtons({skin::kButtonClose});
  const int32_t x = record.stripX;
  EXPECT_TRUE(skin::InButtonStrip(record, x - 2, 0));
  EXPECT_FALSE(skin::InButtonStrip(record, x - 3, 0));
  EXPECT_TRUE(skin::InButtonStrip(record, x + record.stripWidth, 22));
  EXPECT_FALSE(skin::InButtonStrip(record, x + record.stripWidth + 1, 10));
  EXPECT_FALSE(skin::InButtonStrip(record, x + 5, 23));
  EXPECT_FALSE(skin::InButtonStrip(record, x + 5, -1));
}

TEST(HitTest, NoMaximizeButtonWithoutOne) {
  EXPECT_EQ(skin::FindMaximizeButton(WithButtons({skin::kButtonMinimize, skin::kButtonClose})), 0);
}

}  // namespace
