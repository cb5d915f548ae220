// Window-free decisions of the edit, combo, slider and up-down skins: hover between parents,
// which combo parts are drawn, tick sides, where the thumb's circle and the selection go, and
// which up-down half shows what.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "skin/controls/combo_skin.h"
#include "skin/controls/edit_skin.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/family.h"
#include "skin/controls/slider.h"
#include "skin/controls/system_sizes.h"
#include "skin/controls/up_down.h"

namespace {

namespace c = skin::controls;

HWND Fake(uintptr_t value) { return reinterpret_cast<HWND>(value); }

TEST(EditHover, SameIndexUnderAnotherParentRepaints) {
  skin::WindowSkinRecord window;
  EXPECT_TRUE(c::TakeEditHover(window, 1, Fake(0x10)));
  EXPECT_FALSE(c::TakeEditHover(window, 1, Fake(0x10)));  // moving within the edit
  EXPECT_TRUE(c::TakeEditHover(window, 1, Fake(0x20)));   // same index, another panel
  EXPECT_FALSE(c::TakeEditHover(window, 1, Fake(0x20)));
  EXPECT_TRUE(c::TakeHover(window, c::kHoverButton, 1, nullptr));  // a button with that index
  EXPECT_TRUE(c::TakeEditHover(window, 1, Fake(0x20)));
  EXPECT_EQ(window.hotKind, c::kHoverEdit);
  EXPECT_EQ(window.hotParent, Fake(0x20));
}

TEST(ComboParts, ButtonAndTextByStyle) {
  struct Case {
    LONG style;
    bool button;
    bool text;
  };
  const Case cases[] = {
      {CBS_SIMPLE, false, false},
      {CBS_DROPDOWN, true, false},  // the edit shows the text
      {CBS_DROPDOWNLIST, true, true},
      {CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, true, false},
      {CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, true, true},
  };
  for (const Case& k : cases) {
    const c::ComboParts parts = c::ComboPartsFor(k.style);
    EXPECT_EQ(parts.dropButton, k.button) << std::hex << k.style;
    EXPECT_EQ(parts.text, k.text) << std::hex << k.style;
  }
}

TEST(SliderStyle, TickSideTestsRunInOrder) {
  const std::pair<LONG, int32_t> cases[] = {
      {TBS_NOTICKS | TBS_BOTH, c::kTicksNone},
      {TBS_NOTICKS | TBS_TOP, c::kTicksNone},
      {TBS_TOP | TBS_BOTH, c::kTicksTopOrLeft},
      {TBS_VERT | TBS_LEFT, c::kTicksTopOrLeft},
      {TBS_BOTH, c::kTicksBoth},
      {TBS_BOTTOM, c::kTicksBottomOrRight},
      {TBS_VERT | TBS_AUTOTICKS, c::kTicksBottomOrRight},
  };
  for (const auto& [style, side] : cases)
    EXPECT_EQ(c::TickSideOf(style), side) << std::hex << style;
}

TEST(SliderGeometry, ThumbCircleSitsAwayFromTheTicks) {
  struct Case {
    RECT thumb;
    bool vertical;
    int32_t side;
    graphics::GfxRectF circle;
  };
  // An 11 x 21 thumb (horizontal) and its turned twin: a circle of 10.
  const Case cases[] = {
      {{10, 5, 21, 26}, false, c::kTicksBottomOrRight, {10, 5, 10, 10}},
      {{10, 5, 21, 26}, false, c::kTicksTopOrLeft, {10, 15, 10, 10}},
      {{10, 5, 21, 26}, false, c::kTicksBoth, {10, 10, 10, 10}},
      {{10, 5, 21, 26}, false, c::kTicksNone, {10, 10, 10, 10}},
      {{5, 10, 26, 21}, true, c::kTicksBottomOrRight, {5, 10, 10, 10}},
      {{5, 10, 26, 21}, true, c::kTicksTopOrLeft, {15, 10, 10, 10}},
  };
  for (const Case& k : cases) {
    const graphics::GfxRectF got = c::ThumbCircle(k.thumb, k.vertical, k.side);
    EXPECT_EQ(got.x, k.circle.x);
    EXPECT_EQ(got.y, k.circle.y);
    EXPECT_EQ(got.width, k.circle.width);
    EXPECT_EQ(got.height, k.circle.height);
  }
}

TEST(SliderGeometry, TicksStandJustOutsideTheThumbOnItsTickSides) {
  using Spans = std::vector<std::pair<LONG, LONG>>;
  const RECT across{10, 5, 21, 26};
  const RECT upright{5, 10, 26, 21};
  EXPECT_EQ(c::TickSpans(across, false, c::kTicksBottomOrRight), (Spans{{27, 30}}));
  EXPECT_EQ(c::TickSpans(across, false, c::kTicksTopOrLeft), (Spans{{1, 4}}));
  EXPECT_EQ(c::TickSpans(across, false, c::kTicksBoth), (Spans{{1, 4}, {27, 30}}));
  EXPECT_EQ(c::TickSpans(across, false, c::kTicksNone), Spans{});
  EXPECT_EQ(c::TickSpans(upright, true, c::kTicksBottomOrRight), (Spans{{27, 30}}));
  EXPECT_EQ(c::TickSpans(upright, true, c::kTicksTopOrLeft), (Spans{{1, 4}}));
}

TEST(SliderGeometry, ChannelLiesAlongTheAxisAndThinsForASelection) {
  struct Case {
    RECT reported;
    bool vertical;
    bool selection;
    RECT drawn;
  };
  const Case cases[] = {
      {{8, 10, 92, 14}, false, false, {8, 10, 92, 14}},
      {{8, 10, 92, 20}, false, true, {8, 13, 92, 17}},
      {{10, 8, 14, 92}, true, false, {10, 8, 14, 92}},
      {{8, 10, 92, 14}, true, false, {10, 8, 14, 92}},  // reported as if horizontal
      {{10, 8, 20, 92}, true, true, {13, 8, 17, 92}},
  };
  for (const Case& k : cases) {
    const RECT got = c::ChannelToDraw(k.reported, k.vertical, k.selection);
    EXPECT_TRUE(EqualRect(&got, &k.drawn))
        << got.left << "," << got.top << "," << got.right << "," << got.bottom;
  }
}

TEST(SliderGeometry, PositionsRunBetweenTheThumbCentresAtTheEnds) {
  struct Case {
    int32_t position, low, high;
    float along;
  };
  // Channel 10..110, thumb 10 long: centres from 15 to 105.
  const Case cases[] = {
      {0, 0, 100, 15},    {100, 0, 100, 105}, {50, 0, 100, 60},
      {-5, 0, 100, 15},   {500, 0, 100, 105}, {20, 20, 20, 15},  // an empty range
      {-10, -10, 10, 15}, {10, -10, 10, 105},
  };
  for (const Case& k : cases) {
    EXPECT_FLOAT_EQ(c::PositionAlong(k.position, k.low, k.high, 10, 110, 10), k.along)
        << k.position << " in " << k.low << ".." << k.high;
  }
}

TEST(SliderGeometry, ThumbLengthScalesAndShrinksIntoAThinSlider) {
  struct Case {
    int32_t thickness;
    bool selection;
    int dpi;
    int32_t length;
  };
  for (const Case& c : {Case{24, false, 96, 21}, Case{34, true, 96, 23}, Case{36, false, 144, 32},
                        Case{48, true, 192, 46}, Case{20, false, 96, 15}, Case{24, false, 144, 16},
                        Case{9, false, 96, 4}, Case{17, false, 192, 8}}) {
    EXPECT_EQ(c::ThumbLengthFor(c.thickness, c.selection, c.dpi), c.length)
        << c.thickness << " at " << c.dpi;
  }
}

TEST(UpDownHalves, SplitAcrossTheAxis) {
  const SIZE tall{16, 30};
  const SIZE wide{30, 16};
  struct Case {
    SIZE size;
    bool horizontal;
    POINT point;
    int32_t half;
  };
  const Case cases[] = {
      {tall, false, {8, 0}, 0},  {tall, false, {8, 14}, 0},  {tall, false, {8, 15}, 1},
      {tall, false, {8, 29}, 1}, {tall, false, {8, 30}, -1}, {tall, false, {-1, 5}, -1},
      {wide, true, {14, 8}, 0},  {wide, true, {15, 8}, 1},   {wide, true, {29, 15}, 1},
      {wide, true, {5, -3}, -1},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(c::HalfAt(k.size, k.horizontal, k.point), k.half) << k.point.x << "," << k.point.y;
  }
  const RECT lower = c::HalfRect(tall, false, 1);
  const RECT right = c::HalfRect(wide, true, 1);
  EXPECT_TRUE(EqualRect(&lower, std::array{RECT{0, 15, 16, 30}}.data()));
  EXPECT_TRUE(EqualRect(&right, std::array{RECT{15, 0, 30, 16}}.data()));
}

TEST(UpDownHalves, PressedAndHotFacesPerHalf) {
  using F = c::HalfFace;
  const SIZE tall{16, 30};
  struct Case {
    int32_t hot, hotPart, pressed;
    POINT pressedAt;
    F first, second;
  };
  const Case cases[] = {
      {0, -1, 0, {0, 0}, F::kNormal, F::kNormal},
      {1, 0, 0, {0, 0}, F::kHot, F::kNormal},
      {1, 1, 0, {0, 0}, F::kNormal, F::kHot},
      {1, 1, 1, {8, 20}, F::kNormal, F::kPressed},  // pressed wins on its own half
      {1, 0, 1, {8, 20}, F::kHot, F::kPressed},
      {0, -1, 1, {8, 3}, F::kPressed, F::kNormal},
      {1, 0, 0, {8, 3}, F::kHot, F::kNormal},   // released: the press no longer shows
      {1, 1, 1, {8, 40}, F::kNormal, F::kHot},  // pressed, then dragged outside
  };
  for (const Case& k : cases) {
    c::UpDownSkin control;
    control.hot = k.hot;
    control.hotPart = k.hotPart;
    control.pressed = k.pressed;
    control.pressedPoint = MAKELPARAM(k.pressedAt.x, k.pressedAt.y);
    const auto faces = c::HalfFaces(control, tall);
    EXPECT_EQ(faces[0], k.first) << k.hot << k.hotPart << k.pressed;
    EXPECT_EQ(faces[1], k.second) << k.hot << k.hotPart << k.pressed;
  }
  EXPECT_EQ(c::NotedState({F::kHot, F::kPressed}), c::kStateHot | (c::kStatePressed << 8));
}

}  // namespace
