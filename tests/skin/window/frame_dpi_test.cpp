// A skinned frame told it now shows at another DPI scales every metric and composes again; told
// the old DPI it is exactly as before.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <vector>

#include "graphics/dpi_font.h"
#include "graphics/gfx_image.h"
#include "graphics/gfx_tooltip.h"
#include "skin/caption/caption_strip.h"
#include "skin/frame/move_size.h"
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
  skin_test::engine->frameFirstRun = 0;
  TestWindow window(300, 200, WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  skin_test::engine->AttachWindow(window.hwnd());
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

// The group box's caption, the header's items, a button's caption and a hint: each font is
// remade at the new DPI, each face draws in it, and back at 96 dpi each is the font it was.
TEST(FrameDpi, EveryFontTheWindowHoldsFollowsTheDpi) {
  skin_test::ResetSkinSettings();
  TestWindow window(300, 200);
  HWND parent = window.hwnd();
  const auto make = [parent](const char* cls, const char* text, DWORD style, int y) {
    HWND w = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, y, 200, 30, parent,
                             nullptr, nullptr, nullptr);
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return w;
  };
  HWND box = make("Button", "组", BS_GROUPBOX, 40);
  HWND header = make("SysHeader32", "", HDS_BUTTONS, 80);
  HWND button = make("Button", "按钮", BS_PUSHBUTTON, 120);
  graphics::GfxToolTip tip;
  ASSERT_NE(tip.Create(button), nullptr);
  tip.AddTool({0, 0, 20, 20}, L"提示", 1);
  skin_test::SkinLikeTheApplication(parent, skin_test::SolidPicture(8, 8, RGB(0, 0, 255)));
  skin_test::engine->AttachPanel(box);
  skin::WindowSkinRecord& record = *RecordOf(parent);
  const auto fonted = [&record](skin::ControlListKind kind) {
    return dynamic_cast<skin::FontedRecord*>(record.controls[kind].at(0).get());
  };
  const std::vector<std::pair<HWND, skin::FontedRecord*>> held{{box, fonted(skin::kListPanels)},
                                                               {header, fonted(skin::kListHeaders)},
                                                               {button, fonted(skin::kListButtons)},
                                                               {tip.GetWindow(), nullptr}};
  const auto fontOf = [](HWND w) {
    return reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0));
  };
  const auto heightOf = [&fontOf](HWND w) {
    LOGFONTA look{};
    GetObjectA(fontOf(w), sizeof(look), &look);
    return look.lfHeight;
  };
  std::vector<HFONT> at96;
  std::vector<LONG> heights96;
  for (const auto& [w, face] : held) {
    ASSERT_NE(fontOf(w), nullptr);
    at96.push_back(fontOf(w));
    heights96.push_back(heightOf(w));
    if (face) {
      EXPECT_EQ(face->fontSize, -heightOf(w));
    }
  }

  SendDpi(parent, 144, {60, 60, 510, 360});
  for (size_t i = 0; i < held.size(); ++i) {
    const auto& [w, face] = held[i];
    const LONG want = graphics::ScaleFontLength(heights96[i], 96, 144);
    EXPECT_EQ(heightOf(w), want) << i;
    EXPECT_LT(want, heights96[i]) << "the font did not grow";
    if (face) {
      EXPECT_EQ(face->fontSize, -want) << "the face kept the old size: " << i;
    }
  }
  SendDpi(parent, 96, {60, 60, 360, 260});
  for (size_t i = 0; i < held.size(); ++i) {
    EXPECT_EQ(heightOf(held[i].first), heights96[i]) << i;
    // The controls hold the very font they were given; a tooltip keeps a copy of its own.
    if (held[i].second) {
      EXPECT_EQ(fontOf(held[i].first), at96[i]) << i;
      EXPECT_EQ(held[i].second->fontSize, -heights96[i]) << i;
    }
  }
  tip.Destroy();
}

// A slider's thumb and an up-down beside its buddy are sized by the system once; they follow
// the window's DPI, and at 96 dpi again they are as the control made them.
TEST(FrameDpi, ThumbsAndUpDownsFollowTheDpi) {
  skin_test::ResetSkinSettings();
  TestWindow window(300, 200);
  HWND parent = window.hwnd();
  HWND slider = CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | TBS_NOTICKS, 10, 40,
                                150, 24, parent, nullptr, nullptr, nullptr);
  HWND buddy = CreateWindowExA(0, "Edit", "5", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 80, 80, 22,
                               parent, nullptr, nullptr, nullptr);
  HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT, 0, 0, 0,
                              0, parent, nullptr, nullptr, nullptr);
  SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  skin_test::SkinLikeTheApplication(parent, skin_test::SolidPicture(8, 8, RGB(0, 0, 255)));
  const auto thumb = [slider] { return SendMessageA(slider, TBM_GETTHUMBLENGTH, 0, 0); };
  const auto rectOf = [parent](HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  const auto thumbRect = [slider] {
    RECT r{};
    SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  };
  const LRESULT thumb96 = thumb();
  const RECT thumbRect96 = thumbRect(), spin96 = rectOf(spin), buddy96 = rectOf(buddy);
  ASSERT_EQ(thumb96, 21);

  SendDpi(parent, 144, {60, 60, 510, 360});
  // The application lays its units out at the new DPI; the thumb follows the new size.
  SetWindowPos(slider, nullptr, 15, 60, 225, 36, SWP_NOZORDER);
  EXPECT_EQ(thumb(), 32);
  const RECT thumbRect144 = thumbRect();
  EXPECT_GT(thumbRect144.bottom - thumbRect144.top, thumbRect96.bottom - thumbRect96.top);
  const RECT spin144 = rectOf(spin), buddy144 = rectOf(buddy);
  EXPECT_EQ(spin144.right - spin144.left, MulDiv(spin96.right - spin96.left, 144, 96));
  EXPECT_EQ(spin144.right, spin96.right) << "the pair keeps its outer edge";
  const LONG grown = (spin144.right - spin144.left) - (spin96.right - spin96.left);
  EXPECT_EQ(buddy144.right, buddy96.right - grown) << "the buddy gives up the room";
  EXPECT_EQ(buddy144.left, buddy96.left);

  SendDpi(parent, 96, {60, 60, 360, 260});
  SetWindowPos(slider, nullptr, 10, 40, 150, 24, SWP_NOZORDER);
  EXPECT_EQ(thumb(), thumb96);
  const RECT thumbRectAgain = thumbRect();
  EXPECT_TRUE(EqualRect(&thumbRect96, &thumbRectAgain));
  EXPECT_FALSE(GetWindowLongA(slider, GWL_STYLE) & TBS_FIXEDLENGTH) << "left to the control";
  const RECT spinAgain = rectOf(spin), buddyAgain = rectOf(buddy);
  EXPECT_TRUE(EqualRect(&spinAgain, &spin96));
  EXPECT_TRUE(EqualRect(&buddyAgain, &buddy96));
}

// The status bar's height, items and font, and a caller's caption-button picture (which comes
// in one size, for 96 dpi) follow the window's DPI.
TEST(FrameDpi, StatusBarAndCallersPicturesFollowTheDpi) {
  skin_test::ResetSkinSettings();
  skin_test::engine->frameFirstRun = 0;  // the first WM_SIZE would otherwise skip the repaint
  TestWindow window(300, 200, WS_MINIMIZEBOX);
  skin::WindowOptions options;
  options.statusBarHeight = 20;
  options.statusItems = {L"一", L"二"};
  skin_test::engine->AttachWindow(window.hwnd(), options);
  const std::vector<uint8_t> picture =
      skin_test::TwoColourPicture(16, 12, RGB(255, 0, 0), RGB(0, 0, 255));
  ASSERT_GT(skin_test::engine->AddCaptionButton(window.hwnd(), picture, L"tip", nullptr), 0);
  UpdateWindow(window.hwnd());
  skin::WindowSkinRecord* record = RecordOf(window.hwnd());
  const auto barHeight = [&] { return record->statusBar.rect.bottom - record->statusBar.rect.top; };
  const auto drawnWidth = [&] {
    const auto& shown = record->captionButtons.front().decodedImage;
    return shown ? static_cast<int>(shown->GetWidth()) : 0;
  };
  EXPECT_EQ(barHeight(), 20);
  EXPECT_EQ(drawnWidth(), 16);

  SendDpi(window.hwnd(), 144, {60, 60, 510, 360});
  record = RecordOf(window.hwnd());
  EXPECT_EQ(barHeight(), 30);
  EXPECT_EQ(record->statusBar.items.back().rect.right, record->statusBar.rect.right);
  EXPECT_EQ(drawnWidth(), 24) << "the caller's picture is drawn at 96-dpi size";
  // Scaled with a filter, not by repeating pixels: where red meets blue a blend shows.
  ASSERT_TRUE(record->captionButtons.front().decodedImage);
  const auto& shown = *record->captionButtons.front().decodedImage;
  int blends = 0;
  for (int x = 0; x < 24; ++x) {
    const uint32_t rgb = shown.GetPixel(x, 9) & 0xFFFFFF;
    blends += rgb != 0xFF0000u && rgb != 0x0000FFu;
  }
  EXPECT_GT(blends, 0);
  EXPECT_EQ(shown.GetPixel(2, 9) & 0xFFFFFF, 0xFF0000u);

  SendDpi(window.hwnd(), 96, {60, 60, 360, 260});
  record = RecordOf(window.hwnd());
  EXPECT_EQ(barHeight(), 20);
  EXPECT_EQ(drawnWidth(), 16);
}

}  // namespace
