// Texts laid over the picture stand out from it by at least 4.5:1 over a dark picture as over a
// light one, measured on the screen's pixels against each control's own bare backdrop; the
// stated black stays where it reads.
#include <gtest/gtest.h>

#include <vector>

#include "skin/contrast/contrast.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin_test::TestWindow;

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w,
           int h) {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         nullptr, nullptr);
}

// The client area as the screen shows it.
struct Shot {
  int w = 0, h = 0;
  std::vector<COLORREF> pixels;
  COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
};

Shot Capture(HWND control) {
  Shot shot;
  RECT client{};
  GetClientRect(control, &client);
  shot.w = client.right;
  shot.h = client.bottom;
  skin::MemoryDc copy;
  if (shot.w <= 0 || shot.h <= 0 || !copy.SelectNewDib(shot.w, shot.h)) return shot;
  HDC screen = GetDC(control);
  BitBlt(copy.dc(), 0, 0, shot.w, shot.h, screen, 0, 0, SRCCOPY);
  ReleaseDC(control, screen);
  for (int y = 0; y < shot.h; ++y) {
    for (int x = 0; x < shot.w; ++x) shot.pixels.push_back(GetPixel(copy.dc(), x, y));
  }
  return shot;
}

struct TextPixels {
  int readable = 0;  // at 4.5:1 or more against the backdrop
  int darker = 0;    // of those, darker than the backdrop
};

TextPixels Measure(const Shot& shot, const RECT& area, COLORREF backdrop) {
  const double behind = skin::RelativeLuminance(backdrop);
  TextPixels result;
  for (int y = area.top; y < area.bottom && y < shot.h; ++y) {
    for (int x = area.left; x < area.right && x < shot.w; ++x) {
      const double l = skin::RelativeLuminance(shot.at(x, y));
      if (skin::ContrastRatio(l, behind) < skin::kReadableContrast) continue;
      ++result.readable;
      if (l < behind) ++result.darker;
    }
  }
  return result;
}

class ReadableText : public testing::TestWithParam<COLORREF> {
 protected:
  void SetUp() override {
    skin_test::ResetSkinSettings();
    skin_test::engine->frameFirstRun = 0;
  }
};

TEST_P(ReadableText, CaptionsStaticsAndListItemsStandOutFromThePicture) {
  const COLORREF picture = GetParam();
  const bool dark = skin::RelativeLuminance(picture) < 0.2;
  TestWindow window(360, 280);
  HWND w = window.hwnd();
  skin_test::SkinLikeTheApplication(w, skin_test::SolidPicture(16, 16, picture));
  HWND box = Child(w, "Button", "WWWW", BS_GROUPBOX | BS_LEFT, 20, 40, 320, 220);
  HWND radio = Child(box, "Button", "WWWW", BS_AUTORADIOBUTTON, 10, 24, 140, 20);
  HWND check = Child(box, "Button", "WWWW", BS_AUTOCHECKBOX, 10, 50, 140, 20);
  HWND label = Child(box, "Static", "WWWW", 0, 10, 80, 140, 20);
  HWND list = Child(box, "ListBox", "", WS_BORDER | LBS_NOINTEGRALHEIGHT, 170, 24, 130, 100);
  for (int i = 0; i < 3; ++i) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("WWWW"));
  skin_test::engine->AttachPanel(box, 1, GetSysColor(COLOR_WINDOW), 0);
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  skin_test::Pump(50);

  // Each text's area, and a bare place of the same control at its right.
  const struct {
    HWND control;
    RECT text;
    POINT bare;
    const char* name;
  } texts[] = {
      {radio, {16, 0, 90, 20}, {130, 10}, "radio caption"},
      {check, {16, 0, 90, 20}, {130, 10}, "check caption"},
      {label, {0, 0, 80, 20}, {130, 10}, "static text"},
      {list, {0, 0, 80, 48}, {110, 80}, "list items"},
      {box, {8, 0, 70, 16}, {250, 1}, "group caption"},
  };
  for (const auto& t : texts) {
    const Shot shot = Capture(t.control);
    ASSERT_GT(shot.w, t.bare.x) << t.name;
    const COLORREF backdrop = shot.at(t.bare.x, t.bare.y);
    const TextPixels found = Measure(shot, t.text, backdrop);
    EXPECT_GT(found.readable, 20) << t.name << " over " << std::hex << backdrop;
    // Black where black reads, white where it does not.
    if (dark) {
      EXPECT_EQ(found.darker, 0) << t.name;
    } else {
      EXPECT_EQ(found.darker, found.readable) << t.name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DarkAndLight, ReadableText,
                         testing::Values(RGB(12, 20, 64), RGB(246, 244, 236)));

}  // namespace
