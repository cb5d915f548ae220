#include "app/window_events.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "app/panel_drag.h"

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

}  // namespace
}  // namespace app
