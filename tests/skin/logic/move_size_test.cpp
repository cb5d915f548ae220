// Which zone a press on the frame falls in, in the fixed order of the checks.
#include "skin/frame/move_size.h"

#include <gtest/gtest.h>

#include "skin/caption/caption_strip.h"

namespace {

using skin::PressAction;
using skin::PressZone;

constexpr int32_t kW = 300;
constexpr int32_t kH = 200;

skin::WindowSkinRecord Record(int32_t sizable, int32_t captionActive = 1) {
  skin::WindowSkinRecord record;
  skin::CaptionButton close;
  close.kind = skin::kButtonClose;
  close.width = skin::kCloseButtonWidth;
  record.captionButtons.push_back(close);
  skin::PlaceStrip(record, kW, 3);
  skin::LayoutStripGeometry(record, kW);  // strip from x 260 to 301
  record.sizable = sizable;
  record.captionActive = captionActive;
  record.captionHeight = 25;
  return record;
}

struct Press {
  int32_t x, y;
  PressAction action;
  WPARAM command;
  LPCWSTR cursor;
};

void Check(const skin::WindowSkinRecord& record, const Press& p) {
  const PressZone zone = skin::ZoneForPress(record, 3, p.x, p.y, kW, kH);
  EXPECT_EQ(zone.action, p.action) << "at " << p.x << "," << p.y;
  EXPECT_EQ(zone.sysCommand, p.command) << "at " << p.x << "," << p.y;
  EXPECT_EQ(zone.cursor, p.cursor) << "at " << p.x << "," << p.y;
}

TEST(MoveOrSize, SizableWindowZones) {
  const auto record = Record(1);
  const Press presses[] = {
      {2, 50, PressAction::kSize, 0xF001, IDC_SIZEWE},  // left edge
      {3, 50, PressAction::kSize, 0xF001, IDC_SIZEWE},
      {297, 50, PressAction::kSize, 0xF002, IDC_SIZEWE},   // right edge
      {150, 3, PressAction::kSize, 0xF003, IDC_SIZENS},    // top edge beats the caption
      {150, 197, PressAction::kSize, 0xF006, IDC_SIZENS},  // bottom edge
      {5, 5, PressAction::kSize, 0xF004, IDC_SIZENWSE},    // top-left corner
      {295, 2, PressAction::kSize, 0xF005, IDC_SIZENESW},  // top-right, above the strip test
      {5, 195, PressAction::kSize, 0xF007, IDC_SIZENESW},  // bottom-left
      {295, 195, PressAction::kSize, 0xF008, IDC_SIZENWSE},
      {150, 20, PressAction::kMove, 0, nullptr},  // caption band
      {150, 25, PressAction::kMove, 0, nullptr},
      {150, 26, PressAction::kNone, 0, nullptr},          // below it
      {270, 10, PressAction::kNone, 0, nullptr},          // the button strip
      {295, 5, PressAction::kNone, 0, nullptr},           // strip wins over the corner
      {2, 10, PressAction::kSize, 0xF004, IDC_SIZENWSE},  // not the left edge: y not above 10
  };
  for (const Press& p : presses) Check(record, p);
}

TEST(MoveOrSize, FixedSizeWindowMovesByItsWholeCaptionBand) {
  const auto record = Record(0);
  const Press presses[] = {
      {150, 2, PressAction::kMove, 0, nullptr},  // top edge moves instead of sizing
      {5, 5, PressAction::kMove, 0, nullptr},
      {2, 20, PressAction::kMove, 0, nullptr},
      // Below the caption band the edges still size.
      {2, 50, PressAction::kSize, 0xF001, IDC_SIZEWE},
      {298, 100, PressAction::kSize, 0xF002, IDC_SIZEWE},
      {150, 198, PressAction::kSize, 0xF006, IDC_SIZENS},
      {5, 195, PressAction::kSize, 0xF007, IDC_SIZENESW},
      {150, 100, PressAction::kNone, 0, nullptr},
  };
  for (const Press& p : presses) Check(record, p);
}

TEST(MoveOrSize, InactiveCaptionDoesNothing) {
  const auto record = Record(1, 0);
  const POINT points[] = {{2, 50}, {150, 10}, {5, 5}, {150, 198}};
  for (const POINT& p : points) Check(record, {p.x, p.y, PressAction::kNone, 0, nullptr});
}

TEST(SizeCursor, OnlyASizableWindowShowsSizingCursors) {
  const auto sizable = Record(1);
  EXPECT_EQ(skin::SizeCursorFor(sizable, 3, 2, 50, kW, kH), IDC_SIZEWE);
  EXPECT_EQ(skin::SizeCursorFor(sizable, 3, 5, 5, kW, kH), IDC_SIZENWSE);
  EXPECT_EQ(skin::SizeCursorFor(sizable, 3, 295, 5, kW, kH), IDC_SIZENESW);  // no strip test
  EXPECT_EQ(skin::SizeCursorFor(sizable, 3, 150, 100, kW, kH), nullptr);
  EXPECT_EQ(skin::SizeCursorFor(sizable, 3, 150, 20, kW, kH), nullptr);
  const auto fixed = Record(0);
  EXPECT_EQ(skin::SizeCursorFor(fixed, 3, 2, 50, kW, kH), nullptr);
  EXPECT_EQ(skin::SizeCursorFor(fixed, 3, 150, 198, kW, kH), nullptr);
}

}  // namespace
