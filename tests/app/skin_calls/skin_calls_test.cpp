// The application's two skinning calls hand the engine exactly the arguments it is meant to get.
#include "app/skin_calls.h"

#include <gtest/gtest.h>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_image.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"

namespace {

std::vector<uint8_t> Picture() {
  graphics::GfxBitmap bitmap;
  bitmap.Create(16, 12);
  {
    graphics::GfxGraphics g;
    g.FromImage(bitmap);
    g.Clear(0xFF336699);
  }
  return bitmap.SaveToBytes(graphics::kPngFormatId);
}

TEST(SkinCalls, SkinWindowAndSkinGroupBoxPassTheApplicationsArguments) {
  ASSERT_EQ(skin::skinEngine, nullptr);
  skin::skinEngine = new skin::SkinEngine();
  skin::StartGdiplus();
  skin::SetSkinDefaults();
  {
    const std::vector<uint8_t> picture = Picture();
    ASSERT_FALSE(picture.empty());
    // Hidden windows: nothing shows on the display.
    HWND main = CreateWindowExA(0, "Static", "", WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0,
                                300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND box = CreateWindowExA(0, "Button", "", WS_CHILD | BS_GROUPBOX, 10, 10, 100, 80, main,
                               nullptr, nullptr, nullptr);
    HWND loading = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 200, 60, nullptr, nullptr,
                                   nullptr, nullptr);

    app::skinWindow(loading, {});
    EXPECT_TRUE(skin::backgroundImage.empty());
    EXPECT_EQ(skin::backgroundColour, 0u);

    app::skinWindow(main, picture);
    EXPECT_EQ(skin::backgroundImage, picture);  // mode 3 keeps the bytes
    EXPECT_EQ(skin::backgroundMode, 3);
    EXPECT_EQ(skin::backgroundColour, 0u);  // the colour 0 wins over the sample
    EXPECT_EQ(skin::accentColour, 0xFF8800u);
    EXPECT_EQ(skin::controlColouring, 1);
    EXPECT_EQ(skin::highlightAlpha, 0);
    EXPECT_EQ(skin::highlightEnabled, 1);
    EXPECT_EQ(skin::outlineEnabled, 1);

    ASSERT_EQ(skin::RecordCount(), 2);
    EXPECT_EQ(skin::RecordAt(1)->hwnd, loading);  // the loading window's record first
    const skin::WindowSkinRecord& r = *skin::RecordAt(2);
    EXPECT_EQ(r.hwnd, main);
    EXPECT_EQ(r.captionHeight, 25);
    EXPECT_EQ(r.captionActive, 1);
    EXPECT_EQ(r.sizable, 1);
    EXPECT_EQ(r.showHelpButton, 0);
    EXPECT_EQ(r.showMenuButton, 0);
    EXPECT_EQ(r.showCaptionText, 1);
    EXPECT_EQ(r.captionOption, 0);
    EXPECT_EQ(r.statusBar.height, 0);
    EXPECT_TRUE(r.picture.empty());
    EXPECT_EQ(r.pictureMode, 3);
    EXPECT_EQ(r.ButtonCount(), 3);
    EXPECT_EQ(skin::RecordAt(1)->ButtonCount(), 1);

    app::skinGroupBox(box);
    ASSERT_EQ(r.PanelCount(), 1u);
    EXPECT_EQ(r.PanelAt(0).window, box);
    EXPECT_EQ(r.PanelAt(0).enabled, 1);
    EXPECT_EQ(r.PanelAt(0).colour, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(r.PanelAt(0).alpha, 0);
    EXPECT_EQ(r.PanelAt(0).rounded, 0);

    DestroyWindow(loading);
    EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(main, "Hw_lbID")), 1);
    EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(box, "Hw_FuID")), 1);
    DestroyWindow(main);
    EXPECT_EQ(skin::RecordCount(), 0);
  }
  delete skin::skinEngine;
  skin::skinEngine = nullptr;
  skin::FreeSkinArrays();
}

}  // namespace
