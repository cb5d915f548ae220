// A skinned frame told it now shows at another DPI scales every metric and composes again; told
// the old DPI it is exactly as before.
#include <gtest/gtest.h>

#include "skin/caption_strip.h"
#include "skin/move_size.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin_test::RecordOf;
using skin_test::TestWindow;

struct Metrics {
  int32_t dpi, captionHeight, stripX, stripWidth, stripHeight;
  float closeWidth, closeHeight, closeRight;
  bool operator==(const Metrics&) const = default;
};

Metrics MetricsOf(HWND window) {
  const skin::WindowSkinRecord& r = *RecordOf(window);
  const skin::CaptionButton& close = r.captionButtons.back();
  return {r.dpi,         r.captionHeight,  r.stripX,          r.stripWidth,
          r.stripHeight, close.rect.width, close.rect.height, close.rect.x + close.rect.width};
}

void SendDpi(HWND window, int dpi, RECT suggested) {
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  // The application moves the window to the suggested rectangle; this test window does not.
  SetWindowPos(window, nullptr, 0, 0, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(window);
}

TEST(FrameDpi, MetricsScaleToTheNewDpiAndComeBackExactly) {
  skin_test::ResetSkinSettings();
  skin::frameFirstRun = 0;
  TestWindow window(300, 200, WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  skin::skinEngine->AttachWindow(window.hwnd());
  UpdateWindow(window.hwnd());
  const Metrics at96 = MetricsOf(window.hwnd());
  ASSERT_EQ(at96.dpi, 96) << "the second display's prefix runs at 96 dpi";
  EXPECT_EQ(at96.captionHeight, 25);
  const uint32_t composed = skin_test::pictureWork().compositions;

  SendDpi(window.hwnd(), 144, {60, 60, 510, 360});
  const Metrics at144 = MetricsOf(window.hwnd());
  EXPECT_EQ(at144.captionHeight, 38);
  EXPECT_EQ(at144.stripHeight, 33);
  EXPECT_EQ(at144.closeWidth, 60.0f);
  EXPECT_EQ(at144.closeHeight, 27.0f);
  // The strip keeps its place at the right edge (the close button's corner runs out under the
  // rounded region by the same scaled amount), and the taller caption moves the window.
  EXPECT_NEAR(at144.closeRight - 450, (at96.closeRight - 300) * 1.5f, 2);
  RECT client{};
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(
      skin::ZoneForPress(*RecordOf(window.hwnd()), 5, 150, 32, client.right, client.bottom).action,
      skin::PressAction::kMove);
  EXPECT_GT(skin_test::pictureWork().compositions, composed) << "the background was not remade";

  SendDpi(window.hwnd(), 96, {60, 60, 360, 260});
  EXPECT_EQ(MetricsOf(window.hwnd()), at96);
  // A DPI no screen has (a broken message) changes nothing.
  for (int broken : {0, 20, 5000, 65535}) {
    SendDpi(window.hwnd(), broken, {60, 60, 360, 260});
    EXPECT_EQ(MetricsOf(window.hwnd()), at96) << broken;
  }
}

}  // namespace
