// Focus cues on the screen: none while only the mouse moved the focus, one on every kind once the
// keyboard did (the UI state, or a focus change while Tab is down), gone again when the window
// hides them; and a disabled button keeps its disabled face when the pointer leaves it.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "skin/controls/face_layers.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

namespace c = skin::controls;
using skin_test::TestWindow;

HWND Child(HWND parent, const char* cls, DWORD style, int x, int y, int w, int h,
           DWORD exStyle = 0) {
  return CreateWindowExA(exStyle, cls, "WWWW", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         nullptr, nullptr, nullptr);
}

bool NearAccent(COLORREF c) {
  const COLORREF a = skin_test::engine->accentColour;
  return std::abs(GetRValue(c) - GetRValue(a)) < 40 && std::abs(GetGValue(c) - GetGValue(a)) < 40 &&
         std::abs(GetBValue(c) - GetBValue(a)) < 40;
}

// Accent pixels of the toggle's caption part, on the screen.
int AccentPixels(HWND toggle) {
  HDC dc = GetDC(toggle);
  int count = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 15; x < 120; ++x) count += NearAccent(GetPixel(dc, x, y)) ? 1 : 0;
  }
  ReleaseDC(toggle, dc);
  return count;
}

// The frame's second column, halfway down, where only the cue's 2-pixel line reaches.
bool FrameCue(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  HDC dc = GetWindowDC(control);
  const bool cue = NearAccent(GetPixel(dc, 1, (r.bottom - r.top) / 2));
  ReleaseDC(control, dc);
  return cue;
}

bool CueShown(HWND control, bool toggle) {
  SetFocus(control);
  skin_test::Pump(30);
  return toggle ? AccentPixels(control) > 20 : FrameCue(control);
}

TEST(FocusCues, ShownOnlyOnceTheKeyboardMovedTheFocus) {
  skin_test::ResetSkinSettings();
  skin_test::engine->frameFirstRun = 0;
  TestWindow window(360, 240);
  HWND w = window.hwnd();
  HWND radio = Child(w, "Button", BS_AUTORADIOBUTTON, 20, 40, 140, 20);
  HWND check = Child(w, "Button", BS_AUTOCHECKBOX, 20, 70, 140, 20);
  HWND edit = Child(w, "Edit", ES_AUTOHSCROLL, 20, 100, 140, 24, WS_EX_CLIENTEDGE);
  HWND list = Child(w, "ListBox", WS_BORDER | LBS_NOINTEGRALHEIGHT, 180, 40, 140, 80);
  HWND combo = Child(w, "ComboBox", CBS_DROPDOWNLIST, 180, 140, 140, 200);
  HWND push = Child(w, "Button", BS_PUSHBUTTON, 20, 140, 100, 26);
  HWND slider = Child(w, TRACKBAR_CLASSA, TBS_NOTICKS, 20, 180, 140, 30);
  skin_test::SkinLikeTheApplication(w, skin_test::SolidPicture(16, 16, RGB(12, 20, 64)));
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  skin_test::Pump(30);

  const struct {
    HWND control;
    bool toggle;
    const char* name;
  } kinds[] = {{radio, true, "radio"},    {check, true, "check box"},  {edit, false, "edit"},
               {list, false, "list box"}, {combo, false, "combo box"}, {slider, false, "slider"}};
  for (const auto& k : kinds) EXPECT_FALSE(CueShown(k.control, k.toggle)) << k.name << " mouse";

  SendMessageA(w, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  for (const auto& k : kinds) EXPECT_TRUE(CueShown(k.control, k.toggle)) << k.name << " keyboard";
  EXPECT_FALSE(CueShown(push, false)) << "the cue goes with the focus";
  EXPECT_EQ(AccentPixels(check), 0);

  // Hidden again, the focused control loses its cue at once; Tab down while the focus moves shows
  // it again.
  SetFocus(check);
  SendMessageA(w, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  skin_test::Pump(30);
  EXPECT_EQ(AccentPixels(check), 0);
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_TAB] = 0x80;
  SetKeyboardState(keys);
  const bool tabbed = CueShown(radio, true);
  keys[VK_TAB] = 0;
  SetKeyboardState(keys);
  EXPECT_TRUE(tabbed);

  // Disabled under the pointer, then left: the disabled face, not the normal one.
  for (HWND button : {push, check}) {
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EnableWindow(button, FALSE);
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(skin_test::faceWork().lastWindow, button);
    EXPECT_TRUE(skin_test::faceWork().lastState & c::kStateDisabled);
    EXPECT_FALSE(skin_test::faceWork().lastState & c::kStateHot);
    const auto& layers = skin_test::faceWork().lastLayers;
    const c::Layer disabledMark = button == push ? c::Layer::kDisabledFill : c::Layer::kCaption;
    EXPECT_NE(std::find(layers.begin(), layers.end(), disabledMark), layers.end());
    EXPECT_EQ(std::find(layers.begin(), layers.end(), c::Layer::kHotBox), layers.end());
  }
}

}  // namespace
