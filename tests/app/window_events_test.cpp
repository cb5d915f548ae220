#include "app/windows/window_events.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "app/windows/panel_drag.h"

namespace app {
namespace {

TEST(TrayAction, LeftClickShowsRightClickOpensTheMenuOthersDoNothing) {
  EXPECT_EQ(TrayActionCode(WM_LBUTTONUP), 2);
  EXPECT_EQ(TrayActionCode(WM_RBUTTONUP), 3);
  for (UINT m : {UINT{WM_MOUSEMOVE}, UINT{WM_LBUTTONDOWN}, UINT{WM_RBUTTONDOWN},
                 UINT{WM_LBUTTONDBLCLK}, 0u}) {
    EXPECT_EQ(TrayActionCode(m), 0) << m;
  }
}

TEST(PanelDrag, OnlyAPressStrictlyInsideThePanelStartsADrag) {
  const PanelBounds p{18, 16, 374, 256};
  EXPECT_TRUE(PressIsInsidePanel(p, 19, 17));
  EXPECT_TRUE(PressIsInsidePanel(p, 391, 271));
  EXPECT_FALSE(PressIsInsidePanel(p, 18, 100));   // left edge
  EXPECT_FALSE(PressIsInsidePanel(p, 392, 100));  // right edge, L + W
  EXPECT_FALSE(PressIsInsidePanel(p, 100, 16));   // top edge
  EXPECT_FALSE(PressIsInsidePanel(p, 100, 272));  // bottom edge, T + H
  EXPECT_FALSE(PressIsInsidePanel(p, 5, 5));
  EXPECT_TRUE(PressIsInsidePanel(PanelBounds{-50, -50, 100, 100}, 0, 0));
}

TEST(PanelDrag, TheDraggedPanelStaysInsideTheClientArea) {
  const struct {
    int x, y, clientWidth, clientHeight, left, top;
  } cases[] = {
      {60, 70, 634, 388, 60, 70},      // inside: the corner follows the pointer
      {-10, 5, 634, 388, 0, 5},        // past the left edge
      {400, 20, 634, 388, 260, 20},    // past the right edge: 634 - 374
      {30, -40, 634, 388, 30, 0},      // past the top
      {30, 300, 634, 388, 30, 132},    // past the bottom: 388 - 256
      {260, 132, 634, 388, 260, 132},  // touching the right and bottom edges
      // A window smaller than the panel: the corner between the edge and the panel's home.
      {-25, 140, 230, 160, 0, 16},
      {500, 500, 230, 160, 18, 16},
      {10, 5, 230, 160, 10, 5},
      {100, 100, 374, 256, 18, 16},  // exactly the panel's size
      {100, 100, 384, 300, 18, 44},  // room for less than the home's offset in width only
  };
  for (const auto& c : cases) {
    const PanelCorner to =
        KeepPanelInside(c.x, c.y, 374, 256, c.clientWidth, c.clientHeight, PanelHome{18, 16});
    EXPECT_EQ(to.left, c.left) << c.x << "," << c.y << " in " << c.clientWidth;
    EXPECT_EQ(to.top, c.top) << c.x << "," << c.y << " in " << c.clientWidth;
  }
}

}  // namespace
}  // namespace app
