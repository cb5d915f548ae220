// The media face's text card reads over a dark picture as over a light one: the dark text stays
// where it reads on the washed card, white takes its place where the picture is too dark.
#include "app/windows/text_card.h"

#include <gtest/gtest.h>

#include "app/application.h"
#include "app/windows/skin_calls.h"
#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_image.h"
#include "skin/contrast/contrast.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"

namespace {

std::vector<uint8_t> Picture(graphics::Argb colour) {
  graphics::GfxBitmap bitmap;
  bitmap.Create(16, 12);
  {
    graphics::GfxGraphics g;
    g.FromImage(bitmap);
    g.Clear(colour);
  }
  return bitmap.SaveToBytes(graphics::kPngFormatId);
}

struct CardText {
  int readable = 0, lighter = 0;
};

// The card painted over the picture, its big "WWW" measured against the card's bare middle.
CardText PaintCard(graphics::Argb picture) {
  HWND main = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr,
                              nullptr);
  HWND face =
      CreateWindowExA(0, "Static", "", WS_CHILD, 40, 40, 200, 120, main, nullptr, nullptr, nullptr);
  app::skinWindow(main, Picture(picture));
  skin::MemoryDc frame, card;
  frame.SelectNewDib(300, 200);
  card.SelectNewDib(200, 120);
  app::Engine()->PaintFrame(app::Engine()->FindRecord(main),
                            frame.dc());  // fills the back buffer
  HFONT big = CreateFontA(-40, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  app::PaintTextCard(face, card.dc(), {4, 120, 16}, [&](HDC dc, int width) {
    HGDIOBJ old = SelectObject(dc, big);
    RECT line{0, 10, width, 60};
    DrawTextA(dc, "WWW", -1, &line, DT_CENTER | DT_SINGLELINE);
    SelectObject(dc, old);
  });
  DeleteObject(big);
  const double bare = skin::RelativeLuminance(GetPixel(card.dc(), 100, 90));
  CardText result;
  for (int y = 10; y < 60; ++y) {
    for (int x = 20; x < 180; ++x) {
      const double l = skin::RelativeLuminance(GetPixel(card.dc(), x, y));
      if (skin::ContrastRatio(l, bare) < skin::kReadableContrast) continue;
      ++result.readable;
      if (l > bare) ++result.lighter;
    }
  }
  DestroyWindow(main);
  return result;
}

TEST(TextCard, TextReadsOverADarkAndALightPicture) {
  app::Application application;
  application.skinEngine.reset(new skin::SkinEngine());
  app::Engine()->gdiplusToken = skin::StartGdiplus();
  const CardText dark = PaintCard(0xFF000010);
  const CardText light = PaintCard(0xFFF0F0E8);
  EXPECT_GT(dark.readable, 200);
  EXPECT_EQ(dark.lighter, dark.readable);  // white on the dark card
  EXPECT_GT(light.readable, 200);
  EXPECT_EQ(light.lighter, 0);  // the stated dark text stays
  application.skinEngine.reset();
}

}  // namespace
