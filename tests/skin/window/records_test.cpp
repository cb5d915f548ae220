// Window records and their properties: attaching, caption buttons, renumbering on removal.
#include <windows.h>
//
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "graphics/gfx_image.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/subclass.h"
#include "skin/window_records.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin::prop::Get;
using skin_test::RecordOf;
using skin_test::TestWindow;

class Records : public testing::Test {
 protected:
  void SetUp() override {
    skin_test::ResetSkinSettings();
    engine = skin_test::engine;
  }
  skin::SkinEngine* engine = nullptr;
};

// The text of a tool of the record's tooltip.
std::wstring ToolText(HWND owner, UINT id) {
  wchar_t text[80] = {};
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = owner;
  info.uId = id;
  info.lpszText = text;
  SendMessageW(RecordOf(owner)->tooltip.GetWindow(), TTM_GETTEXTW, std::size(text),
               reinterpret_cast<LPARAM>(&info));
  return text;
}

RECT ToolRect(HWND owner, UINT id) {
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.hwnd = owner;
  info.uId = id;
  SendMessageA(RecordOf(owner)->tooltip.GetWindow(), TTM_GETTOOLINFOA, 0,
               reinterpret_cast<LPARAM>(&info));
  return info.rect;
}

TEST_F(Records, AttachingTwiceKeepsOneRecordAndOneSubclassing) {
  TestWindow window(300, 200);
  const int32_t before = skin_test::engine->RecordCount();
  engine->AttachWindow(window.hwnd());
  const intptr_t previous = Get(window.hwnd(), skin::prop::Hw_hProc);
  engine->AttachWindow(
      window.hwnd(),
      {.captionHeight = 40, .captionActive = 0, .sizable = 0, .helpButton = 1, .menuButton = 1});
  EXPECT_EQ(skin_test::engine->RecordCount(), before + 1);
  // One frame subclass, whose data is the window's record.
  EXPECT_EQ(skin::SubclassData(window.hwnd(), engine->frameProcEntry), RecordOf(window.hwnd()));
  // The procedure shown as replaced is the one the window had before the frame's (the
  // tooltip's subclassing sits between it and the window's own).
  EXPECT_EQ(Get(window.hwnd(), skin::prop::Hw_hProc), previous);
  EXPECT_NE(previous, 0);
  EXPECT_EQ(reinterpret_cast<intptr_t>(RecordOf(window.hwnd())->oldWndProc), previous);
  EXPECT_EQ(Get(window.hwnd(), skin::prop::Hw_lbID), skin_test::IndexOf(window.hwnd()));
  EXPECT_EQ(RecordOf(window.hwnd())->captionHeight, 25);  // the second attach changed nothing
  EXPECT_NE(GetWindowLongA(window.hwnd(), GWL_STYLE) & WS_SYSMENU, 0);
  // Messages still reach the window's own procedure.
  window.ClearSeen();
  SendMessageA(window.hwnd(), WM_USER + 7, 1, 2);
  EXPECT_EQ(window.Count(WM_USER + 7), 1);
}

TEST_F(Records, OmittedOptionsTakeTheirDefaults) {
  skin_test::engine->backgroundMode = 2;
  TestWindow window(300, 200);
  engine->AttachWindow(window.hwnd(), {.captionHeight = 10});
  const skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  EXPECT_EQ(r.captionHeight, 25);  // 10 is raised to 25
  EXPECT_EQ(r.captionActive, 1);
  EXPECT_EQ(r.sizable, 1);
  EXPECT_EQ(r.showHelpButton, 0);
  EXPECT_EQ(r.showMenuButton, 0);
  EXPECT_EQ(r.showCaptionText, 1);
  EXPECT_EQ(r.captionOption, 0);
  EXPECT_EQ(r.statusBar.height, 0);
  EXPECT_TRUE(r.picture.empty());
  EXPECT_EQ(r.pictureMode, 2);
  EXPECT_EQ(r.minTrackWidth, 200);
  EXPECT_EQ(r.minTrackHeight, 150);
  EXPECT_EQ(r.maxTrackWidth, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.maxTrackHeight, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(r.captionTextColour, 0xFFFFFFu);
  EXPECT_EQ(r.captionHaloColour, 0x808080u);
  EXPECT_EQ(r.captionFontName, L"宋体");
  EXPECT_EQ(r.captionFontSize, 12);
  EXPECT_EQ(r.captionFontFlag, 1);
  EXPECT_TRUE(r.needsFullRedraw);
  EXPECT_EQ(engine->frameMargin, 3);
}

TEST_F(Records, GivenOptionsLandInTheRecord) {
  TestWindow window(300, 200);
  std::vector<std::wstring> items{L"a", L"b"};
  const std::vector<uint8_t> picture = skin_test::SolidPicture(20, 20, RGB(10, 20, 30));
  engine->AttachWindow(window.hwnd(), {.captionHeight = 40,
                                       .captionActive = 0,
                                       .sizable = 0,
                                       .helpButton = 1,
                                       .menuButton = 1,
                                       .captionText = 0,
                                       .captionGloss = 1,
                                       .statusBarHeight = 18,
                                       .statusItems = items,
                                       .picture = picture,
                                       .pictureMode = 3});
  const skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  EXPECT_EQ(r.captionHeight, 40);
  EXPECT_EQ(r.captionActive, 0);
  EXPECT_EQ(r.sizable, 0);
  EXPECT_EQ(r.showCaptionText, 0);
  EXPECT_EQ(r.captionOption, 1);
  EXPECT_EQ(r.statusBar.height, 18);
  ASSERT_EQ(r.statusBar.items.size(), 2u);
  EXPECT_EQ(r.statusBar.items[1].text, L"b");
  EXPECT_EQ(r.picture, picture);  // mode 3 keeps the bytes as given
  EXPECT_EQ(r.pictureMode, 3);
  EXPECT_EQ(r.pictureColour, static_cast<COLORREF>(RGB(10, 20, 30)));
  // Status bar along the bottom, frameMargin in.
  RECT client{};
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(r.statusBar.rect.left, 3);
  EXPECT_EQ(r.statusBar.rect.top, client.bottom - 3 - 18 - 1);
  EXPECT_EQ(r.statusBar.rect.right, client.right - 3);
  ASSERT_EQ(r.ButtonCount(), 3);  // help, menu, close
  EXPECT_EQ(r.captionButtons[0].kind, skin::kButtonHelp);
  EXPECT_EQ(r.captionButtons[1].kind, skin::kButtonMainMenu);
}

TEST_F(Records, CaptionButtonsFollowTheStyleWithGlyphsAndTooltips) {
  TestWindow plain(300, 200);
  engine->AttachWindow(plain.hwnd());
  const skin::WindowSkinRecord& p = *RecordOf(plain.hwnd());
  ASSERT_EQ(p.ButtonCount(), 1);
  EXPECT_EQ(p.captionButtons[0].kind, skin::kButtonClose);
  EXPECT_EQ(p.captionButtons[0].width, 38);
  EXPECT_EQ(p.stripWidth, 41);
  EXPECT_EQ(p.captionButtons[0].rect.x, p.stripX + 2);
  EXPECT_FALSE(p.captionButtons[0].image.empty());
  EXPECT_EQ(ToolText(plain.hwnd(), 1), L"关闭");

  TestWindow full(300, 200, WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  engine->AttachWindow(full.hwnd());
  const skin::WindowSkinRecord& f = *RecordOf(full.hwnd());
  ASSERT_EQ(f.ButtonCount(), 3);
  EXPECT_EQ(f.captionButtons[0].kind, skin::kButtonMinimize);
  EXPECT_EQ(f.captionButtons[1].kind, skin::kButtonMaximize);
  EXPECT_EQ(f.captionButtons[2].kind, skin::kButtonClose);
  EXPECT_FALSE(f.captionButtons[1].altImage.empty());
  EXPECT_NE(f.captionButtons[1].altImage, f.captionButtons[1].image);
  EXPECT_EQ(f.stripWidth, 95);
  EXPECT_EQ(f.stripX, 300 - 95 + 1);
  EXPECT_EQ(f.captionButtons[1].rect.x, f.stripX + 29);
  EXPECT_EQ(f.captionButtons[2].rect.x, f.stripX + 56);
  EXPECT_EQ(ToolText(full.hwnd(), 1), L"最小化");
  EXPECT_EQ(ToolText(full.hwnd(), 2), L"最大化");
  EXPECT_EQ(ToolText(full.hwnd(), 3), L"关闭");
  const RECT tool = ToolRect(full.hwnd(), 3);
  EXPECT_EQ(tool.left, f.stripX + 56);
  EXPECT_EQ(tool.right, f.stripX + 56 + 40);
  EXPECT_EQ(tool.top, 1);
  EXPECT_EQ(tool.bottom, 19);

  // Another language: the hints of every window follow at once.
  const skin::SkinTexts chinese = skin_test::engine->skinTexts;
  skin_test::engine->skinTexts.minimize = L"Minimize";
  skin_test::engine->skinTexts.close = L"Close";
  engine->RenameCaptionButtons();
  EXPECT_EQ(ToolText(full.hwnd(), 1), L"Minimize");
  EXPECT_EQ(ToolText(full.hwnd(), 2), L"最大化");
  EXPECT_EQ(ToolText(full.hwnd(), 3), L"Close");
  EXPECT_EQ(ToolText(plain.hwnd(), 1), L"Close");
  skin_test::engine->skinTexts = chinese;
}

void CALLBACK CountCall();
int g_calls = 0;
void CALLBACK CountCall() { ++g_calls; }

TEST_F(Records, AnAddedButtonBecomesNumberOne) {
  TestWindow window(300, 200, WS_MINIMIZEBOX);
  engine->AttachWindow(window.hwnd());
  skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  const int32_t width = r.stripWidth;
  const std::vector<uint8_t> glyph = r.captionButtons[0].image;
  EXPECT_EQ(engine->AddCaptionButton(window.hwnd(), glyph, L"设置", CountCall), 3);
  ASSERT_EQ(r.ButtonCount(), 3);
  EXPECT_EQ(r.captionButtons[0].kind, skin::kButtonCustom);
  EXPECT_EQ(r.captionButtons[1].kind, skin::kButtonMinimize);
  EXPECT_EQ(r.captionButtons[2].kind, skin::kButtonClose);
  EXPECT_EQ(r.stripWidth, width + 27);
  EXPECT_EQ(r.captionButtons[0].rect.x, r.stripX + 2);
  EXPECT_EQ(r.captionButtons[2].rect.x, r.stripX + 56);
  // Every number has its tool, the new last one included.
  EXPECT_EQ(ToolText(window.hwnd(), 1), L"设置");
  EXPECT_EQ(ToolText(window.hwnd(), 2), L"最小化");
  EXPECT_EQ(ToolText(window.hwnd(), 3), L"关闭");
  g_calls = 0;
  engine->OnCaptionButton(skin_test::IndexOf(window.hwnd()), 1);
  EXPECT_EQ(g_calls, 1);

  TestWindow bare(100, 100);
  EXPECT_EQ(engine->AddCaptionButton(bare.hwnd(), glyph, L"x", CountCall), 0);
}

TEST_F(Records, RemovingTheFirstRenumbersTheSecondAndItsControls) {
  TestWindow first(200, 160);
  TestWindow second(300, 200);
  engine->AttachWindow(first.hwnd());
  engine->AttachWindow(second.hwnd());
  const int32_t firstIndex = skin_test::IndexOf(first.hwnd());
  const int32_t secondIndex = skin_test::IndexOf(second.hwnd());
  ASSERT_EQ(secondIndex, firstIndex + 1);

  HWND button = CreateWindowExA(0, "Button", "b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 40, 60,
                                24, second.hwnd(), nullptr, nullptr, nullptr);
  HWND track = CreateWindowExA(0, "msctls_trackbar32", "", WS_CHILD | WS_VISIBLE, 10, 80, 100, 24,
                               second.hwnd(), nullptr, nullptr, nullptr);
  HWND box = CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 120, 40, 100,
                             100, second.hwnd(), nullptr, nullptr, nullptr);
  engine->ReskinButtonKind1(button);
  engine->AttachCommonControl(track);
  engine->AttachPanel(box, 1, 0xFFFFFF, 0);
  EXPECT_EQ(Get(button, skin::prop::Hw_FuID), secondIndex);
  EXPECT_EQ(Get(track, skin::prop::Kj_FuID), secondIndex);
  EXPECT_EQ(Get(box, skin::prop::Hw_FuID), secondIndex);

  const int32_t count = skin_test::engine->RecordCount();
  first.Destroy();
  EXPECT_EQ(skin_test::engine->RecordCount(), count - 1);
  EXPECT_EQ(Get(second.hwnd(), skin::prop::Hw_lbID), firstIndex);
  EXPECT_EQ(skin_test::engine->RecordAt(firstIndex)->hwnd, second.hwnd());
  EXPECT_EQ(Get(button, skin::prop::Hw_FuID), firstIndex);
  EXPECT_EQ(Get(track, skin::prop::Kj_FuID), firstIndex);
  EXPECT_EQ(Get(box, skin::prop::Hw_FuID), firstIndex);
  // The slots within the kind lists stay as they were; a common control is a panel as well.
  EXPECT_EQ(Get(button, skin::prop::Hw_lbID), 1);
  EXPECT_EQ(Get(track, skin::prop::Kj_lbID), 1);
  EXPECT_EQ(Get(track, skin::prop::Hw_lbID), 1);
  EXPECT_EQ(Get(box, skin::prop::Hw_lbID), 2);
  // The renumbered window still works through its record.
  EXPECT_EQ(engine->FindMaximizeButton(firstIndex), 0);
  SendMessageA(second.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 100));
  second.Destroy();
  EXPECT_EQ(skin_test::engine->RecordCount(), count - 2);
}

TEST_F(Records, ControlsAndPanelsAreRecordedOnce) {
  TestWindow window(300, 200);
  engine->AttachWindow(window.hwnd());
  HWND box = CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 30, 200, 150,
                             window.hwnd(), nullptr, nullptr, nullptr);
  HWND inner = CreateWindowExA(0, "Button", "i", WS_CHILD | WS_VISIBLE, 10, 20, 50, 20, box,
                               nullptr, nullptr, nullptr);
  engine->AttachPanel(box, 1, 0xFFFFFF, 0);
  engine->AttachPanel(box, 0, 0x123456, 9, 1);
  skin::WindowSkinRecord& r = *RecordOf(window.hwnd());
  ASSERT_EQ(r.PanelCount(), 1u);
  EXPECT_EQ(r.PanelAt(0)->colour, 0xFFFFFFu);
  EXPECT_EQ(r.PanelAt(0)->alpha, 0);
  EXPECT_EQ(r.PanelAt(0)->enabled, 1);
  EXPECT_EQ(r.PanelAt(0)->rounded, 0);
  EXPECT_TRUE(r.PanelAt(0)->isGroupBox);
  EXPECT_EQ(Get(box, skin::prop::Hw_lbID), 1);
  EXPECT_EQ(Get(box, skin::prop::Mb_zpf), 0);
  engine->SetPanelAlpha(box, 120);
  EXPECT_EQ(r.PanelAt(0)->alpha, 120);

  // A button nested in the panel still belongs to the window's record.
  engine->ReskinButtonKind3(inner);
  engine->ReskinButtonKind3(inner);
  ASSERT_EQ(r.controls[skin::kListButtons].size(), 1u);
  EXPECT_EQ(r.controls[skin::kListButtons][0]->kind, 3);
  EXPECT_EQ(Get(inner, skin::prop::Hw_FuID), skin_test::IndexOf(window.hwnd()));
  // Subclassed once; its messages still reach its own procedure.
  EXPECT_NE(Get(inner, skin::prop::Hw_hProc), 0);
  EXPECT_EQ(SendMessageA(inner, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Records, SetOptionsDefaults) {
  engine->SetOptions(1);
  EXPECT_EQ(skin_test::engine->controlColouring, 1);
  EXPECT_EQ(skin_test::engine->highlightAlpha, 160);
  EXPECT_EQ(skin_test::engine->highlightEnabled, 0);
  EXPECT_EQ(skin_test::engine->outlineEnabled, 1);
  engine->SetOptions(1, 0);  // what the application passes
  EXPECT_EQ(skin_test::engine->highlightAlpha, 0);
  EXPECT_EQ(skin_test::engine->highlightEnabled, 1);
  EXPECT_EQ(skin_test::engine->outlineEnabled, 1);
  engine->SetOptions(0, 77, 0);
  EXPECT_EQ(skin_test::engine->controlColouring, 0);
  EXPECT_EQ(skin_test::engine->highlightAlpha, 77);
  EXPECT_EQ(skin_test::engine->highlightEnabled, 1);
  EXPECT_EQ(skin_test::engine->outlineEnabled, 0);
}

TEST_F(Records, SetSkinColoursAndPicture) {
  const COLORREF sampled = RGB(30, 120, 200);
  const std::vector<uint8_t> picture = skin_test::SolidPicture(16, 16, sampled);

  engine->SetSkin(L"", picture, std::nullopt, -1);
  EXPECT_EQ(skin_test::engine->backgroundColour, sampled);
  EXPECT_EQ(skin_test::engine->accentColour, sampled);  // accent -1 takes the sampled colour
  EXPECT_EQ(skin_test::engine->backgroundMode, 4);
  EXPECT_EQ(skin_test::engine->backgroundImage, picture);

  engine->SetSkin(L"", picture, RGB(1, 2, 3), -1, 3);
  EXPECT_EQ(skin_test::engine->backgroundColour,
            static_cast<COLORREF>(RGB(1, 2, 3)));  // the colour wins
  EXPECT_EQ(skin_test::engine->accentColour, static_cast<COLORREF>(RGB(1, 2, 3)));

  engine->SetSkin(L"", picture);
  EXPECT_EQ(skin_test::engine->accentColour, 0xDDCA22u);
  engine->SetSkin(L"", {}, 0, 0xFF8800, 3);  // the loading window's call
  EXPECT_EQ(skin_test::engine->accentColour, 0xFF8800u);
  EXPECT_EQ(skin_test::engine->backgroundColour, 0u);
  EXPECT_TRUE(skin_test::engine->backgroundImage.empty());
  engine->SetSkin(L"", {});
  EXPECT_EQ(skin_test::engine->backgroundColour, GetSysColor(COLOR_WINDOW));

  // Modes 0 and 1 keep the picture prepared: its free side and its bottom fade into the colour.
  engine->SetSkin(L"", skin_test::SolidPicture(40, 30, sampled), RGB(0, 0, 0), std::nullopt, 1);
  graphics::GfxBitmap prepared;
  ASSERT_TRUE(prepared.LoadFromBytes(skin_test::engine->backgroundImage));
  EXPECT_EQ(prepared.GetWidth(), 40u);
  EXPECT_EQ(prepared.GetHeight(), 30u);
  EXPECT_EQ(prepared.GetPixel(39, 2) & 0xFFFFFF, 0x1E78C8u);  // against the right edge: as is
  EXPECT_LT(prepared.GetPixel(0, 2) & 0xFF, 0x30u);           // left side faded to black
  // The bottom fade (rows h - d + 1 on) darkens the bottom row away from the side fade too.
  uint32_t darkest = 0xFF;
  for (int x = 12; x < 40; ++x) darkest = std::min(darkest, prepared.GetPixel(x, 29) & 0xFF);
  EXPECT_LT(darkest, 0x80u);
  EXPECT_EQ(prepared.GetPixel(39, 10) & 0xFFFFFF, 0x1E78C8u);  // above the bottom fade
  engine->SetSkin(L"", skin_test::SolidPicture(40, 30, sampled), RGB(0, 0, 0), std::nullopt, 0);
  ASSERT_TRUE(prepared.LoadFromBytes(skin_test::engine->backgroundImage));
  EXPECT_EQ(prepared.GetPixel(0, 2) & 0xFFFFFF, 0x1E78C8u);  // against the left edge: as is
  EXPECT_LT(prepared.GetPixel(39, 2) & 0xFF, 0x30u);

  // From a file name alone the picture is loaded and kept as PNG.
  wchar_t path[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, path);
  const std::wstring file = std::wstring(path) + L"skin_test_picture.png";
  const std::vector<uint8_t> png = skin_test::SolidPicture(8, 8, RGB(9, 9, 9));
  HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(h, png.data(), static_cast<DWORD>(png.size()), &written, nullptr);
  CloseHandle(h);
  engine->SetSkin(file, {}, std::nullopt, std::nullopt, 2);
  DeleteFileW(file.c_str());
  EXPECT_EQ(skin_test::engine->backgroundColour, static_cast<COLORREF>(RGB(9, 9, 9)));
  ASSERT_GT(skin_test::engine->backgroundImage.size(), 8u);
  EXPECT_EQ(skin_test::engine->backgroundImage[1], 'P');
}

TEST_F(Records, SetSkinRepaintsVisibleSkinnedWindows) {
  TestWindow window(200, 150);
  engine->AttachWindow(window.hwnd());
  skin_test::Pump();
  const HGDIOBJ before = skin::prop::GetAs<HGDIOBJ>(window.hwnd(), skin::prop::Ck_wtjbdx);
  engine->SetSkin(L"", skin_test::SolidPicture(10, 10, RGB(0, 200, 0)), std::nullopt, std::nullopt,
                  3);
  EXPECT_NE(skin::prop::GetAs<HGDIOBJ>(window.hwnd(), skin::prop::Ck_wtjbdx), before);
  EXPECT_EQ(skin_test::BackBufferPixel(window.hwnd(), 100, 100), RGB(0, 200, 0));
}

}  // namespace
