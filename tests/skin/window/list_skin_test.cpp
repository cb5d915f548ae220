// List-type controls on a skinned window: what the attach takes, the frame under the pointer,
// the wash behind the items, scrolling, and the frame that the system must not paint over.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdlib>

#include "skin/controls/button_skin.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/list_control.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/property_keys.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

namespace c = skin::controls;
using skin_test::SendMouse;
using skin_test::TestWindow;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

HWND Child(HWND parent, const char* cls, DWORD style, int x, int y, int w, int h,
           DWORD exStyle = 0) {
  return CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         nullptr, nullptr, nullptr);
}

bool Near(COLORREF a, COLORREF b, int tolerance = 3) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

COLORREF ClientPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

// White at the default highlight alpha (160) over the blue picture.
const COLORREF kWashedBlue = RGB(160, 160, 255);

class ListSkins : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                              ICC_INTERNET_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    skin_test::ResetSkinSettings();
    skin_test::engine->frameFirstRun = 0;
  }
  // The window is skinned after its children exist, as the player does.
  void Skin(bool highlight = true) {
    skin_test::SkinLikeTheApplication(window->hwnd(), skin_test::SolidPicture(8, 8, kBlue));
    // The player's alpha of 0 would make the wash invisible.
    skin_test::engine->highlightEnabled = highlight ? 1 : 0;
    skin_test::engine->highlightAlpha = 160;
    RedrawWindow(window->hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  HWND List(DWORD style, int items, int x = 10, int y = 40) {
    HWND list = Child(window->hwnd(), "ListBox", style | LBS_NOINTEGRALHEIGHT, x, y, 80, 120);
    for (int i = 0; i < items; ++i) SendMessageA(list, LB_ADDSTRING, 0, LPARAM("item"));
    return list;
  }
  skin_test::FaceWork& work() { return skin_test::faceWork(); }

  std::unique_ptr<TestWindow> window = std::make_unique<TestWindow>(420, 300);
};

TEST_F(ListSkins, AttachTakesEachListKindOnceAndSkipsTheExcludedOnes) {
  HWND hwnd = window->hwnd();
  HWND plain = List(WS_BORDER, 0);
  HWND owner = List(LBS_OWNERDRAWFIXED | WS_BORDER, 0, 100);
  HWND simple = Child(hwnd, "ComboBox", CBS_SIMPLE, 190, 40, 80, 100);
  HWND view = Child(hwnd, WC_LISTVIEWA, LVS_REPORT, 280, 40, 100, 60);
  HWND shared = Child(hwnd, WC_LISTVIEWA, LVS_REPORT | 0x10, 280, 110, 100, 60);
  HWND tree = Child(hwnd, WC_TREEVIEWA, 0, 10, 170, 100, 60);
  HWND address = Child(hwnd, WC_IPADDRESSA, 0, 120, 170, 120, 22);
  HWND date = Child(hwnd, DATETIMEPICK_CLASSA, 0, 250, 170, 120, 22);
  Skin();
  HWND comboList = FindWindowExA(simple, nullptr, "ComboLBox", nullptr);
  ASSERT_NE(comboList, nullptr);
  for (HWND taken : {plain, owner, comboList, view, tree, address, date}) {
    EXPECT_NE(c::ListSkinOf(taken), nullptr) << std::hex << taken;
  }
  EXPECT_EQ(c::ListSkinOf(shared), nullptr);
  EXPECT_EQ(c::ListSkinOf(simple), nullptr);  // its list is, the combo box is another kind's
  EXPECT_EQ(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0), 0xFF00FF);
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(view, LVM_GETTEXTBKCOLOR, 0, 0)), CLR_NONE);

  const size_t count = skin_test::RecordOf(hwnd)->controls[skin::kListListTypes].size();
  c::AttachListControls(skin_test::RecordOf(hwnd), hwnd);
  EXPECT_EQ(skin_test::RecordOf(hwnd)->controls[skin::kListListTypes].size(), count);
}

// The frame's left edge on the screen: accent while hot, repainted once per change of the hot
// control (also for another kind at the same index), the focus line after a leave while focused.
TEST_F(ListSkins, FrameLightsOncePerHoverChangeAndAgainForAnotherKindAtTheSameIndex) {
  using skin_test::MarkWindowPixel;
  using skin_test::ShowsAccent;
  using skin_test::WindowPixel;
  constexpr COLORREF kMark = RGB(255, 0, 255);
  HWND list = List(WS_BORDER, 3);
  HWND button = CreateWindowExA(0, "Button", "b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 200, 40,
                                80, 24, window->hwnd(), nullptr, nullptr, nullptr);
  Skin();
  ASSERT_EQ(skin::prop::Get(list, skin::prop::Hw_lbID), 1);
  ASSERT_EQ(skin::prop::Get(button, skin::prop::Hw_lbID), 1);
  const COLORREF cold = WindowPixel(list, 0, 60);
  EXPECT_FALSE(ShowsAccent(cold)) << std::hex << cold;
  SendMouse(list, WM_MOUSEMOVE, 10, 10);
  EXPECT_TRUE(ShowsAccent(WindowPixel(list, 0, 60))) << std::hex << WindowPixel(list, 0, 60);
  MarkWindowPixel(list, 0, 30, kMark);
  for (int i = 1; i < 5; ++i) SendMouse(list, WM_MOUSEMOVE, 10 + i, 10);
  EXPECT_EQ(WindowPixel(list, 0, 30), kMark) << "repainted on every move";
  SendMouse(button, WM_MOUSEMOVE, 5, 5);
  SendMouse(list, WM_MOUSEMOVE, 12, 12);
  EXPECT_TRUE(ShowsAccent(WindowPixel(list, 0, 30))) << "not repainted after the button";

  SendMessageA(list, WM_SETFOCUS, 0, 0);
  SendMessageA(list, WM_MOUSELEAVE, 0, 0);
  const COLORREF focused = WindowPixel(list, 0, 60);
  EXPECT_TRUE(ShowsAccent(focused)) << std::hex << focused;
  SendMessageA(list, WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(WindowPixel(list, 0, 60), cold);
}

TEST_F(ListSkins, ItemsShowThePictureThroughTheWashOnlyWhileTheSwitchIsOn) {
  HWND list = List(WS_BORDER, 2);
  Skin(true);
  // Right of an item's text, and below the last item.
  EXPECT_TRUE(Near(ClientPixel(list, 70, 4), kWashedBlue)) << std::hex << ClientPixel(list, 70, 4);
  EXPECT_TRUE(Near(ClientPixel(list, 40, 100), kWashedBlue));
  window = std::make_unique<TestWindow>(420, 300);
  HWND own = List(WS_BORDER, 2);
  Skin(false);
  EXPECT_EQ(ClientPixel(own, 70, 4), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(ClientPixel(own, 40, 100), GetSysColor(COLOR_WINDOW));
  EXPECT_NE(c::ListSkinOf(own), nullptr);  // the frame is still the skin's
}

// Counts the client pixels that pass the test, from a copy of what is on the screen.
template <typename Test>
int CountPixels(HWND window, Test test) {
  RECT client{};
  GetClientRect(window, &client);
  skin::MemoryDc copy;
  copy.EnsureDc();
  copy.SelectNewDib(client.right, client.bottom);
  HDC dc = GetDC(window);
  BitBlt(copy.dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  int count = 0;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) count += test(GetPixel(copy.dc(), x, y)) ? 1 : 0;
  }
  return count;
}

TEST_F(ListSkins, TextEdgesBlendIntoThePictureNotIntoWhiteOrAColourKey) {
  HWND list = List(WS_BORDER, 6);
  HWND tree = Child(window->hwnd(), WC_TREEVIEWA, WS_BORDER, 100, 40, 120, 120);
  TVINSERTSTRUCTA item{};
  item.hParent = TVI_ROOT;
  item.hInsertAfter = TVI_LAST;
  item.item.mask = TVIF_TEXT;
  item.item.pszText = const_cast<char*>("branch");
  for (int i = 0; i < 4; ++i) SendMessageA(tree, TVM_INSERTITEMA, 0, LPARAM(&item));
  Skin();
  auto dark = [](COLORREF c) { return GetRValue(c) < 60 && GetGValue(c) < 60; };
  EXPECT_GT(CountPixels(list, dark), 20);  // the text is there
  EXPECT_GT(CountPixels(tree, dark), 20);
  // Over the washed blue nothing is whiter than the wash, nor tinted by the tree's magenta key.
  EXPECT_EQ(CountPixels(list, [](COLORREF c) { return GetRValue(c) > 175; }), 0);
  EXPECT_EQ(CountPixels(tree, [](COLORREF c) { return GetRValue(c) > GetGValue(c) + 30; }), 0);
}

TEST_F(ListSkins, WheelRedrawsTheWholeClientAreaOnlyWhileTheSwitchIsOn) {
  for (bool on : {true, false}) {
    window = std::make_unique<TestWindow>(420, 300);
    HWND list = List(WS_BORDER | WS_VSCROLL, 40);
    Skin(on);
    skin_test::Pump();
    ValidateRect(list, nullptr);
    SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_GT(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0) << on;
    RECT client{}, dirty{};
    GetClientRect(list, &client);
    GetUpdateRect(list, &dirty, FALSE);
    EXPECT_EQ(EqualRect(&client, &dirty) != 0, on)
        << on << ": " << dirty.top << ".." << dirty.bottom << " of " << client.bottom;
  }
}

// A click on the fifth row selects it and leaves the whole client area to paint again.
void ExpectAClickOnRow4RepaintsWhole(HWND list) {
  RECT client{}, dirty{};
  GetClientRect(list, &client);
  ValidateRect(list, nullptr);
  const auto itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  SendMouse(list, WM_LBUTTONDOWN, 10, itemHeight * 4 + 2, MK_LBUTTON);
  SendMouse(list, WM_LBUTTONUP, 10, itemHeight * 4 + 2);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 4);
  GetUpdateRect(list, &dirty, FALSE);
  EXPECT_TRUE(EqualRect(&client, &dirty));
}

TEST_F(ListSkins, ASelectionMovedByKeyOrClickLaysTheWashAgainWithoutTheParentsHelp) {
  HWND list = List(WS_BORDER, 6);  // no LBS_NOTIFY: the parent hears nothing
  Skin();
  skin_test::Pump();
  RECT client{}, dirty{};
  GetClientRect(list, &client);
  SendMessageA(list, LB_SETCURSEL, 1, 0);
  ValidateRect(list, nullptr);
  SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
  GetUpdateRect(list, &dirty, FALSE);
  EXPECT_TRUE(EqualRect(&client, &dirty));
  ExpectAClickOnRow4RepaintsWhole(list);
  // Nothing moved: nothing to lay again.
  ValidateRect(list, nullptr);
  const auto itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  SendMouse(list, WM_LBUTTONUP, 10, itemHeight * 4 + 2);
  EXPECT_FALSE(GetUpdateRect(list, &dirty, FALSE));
}

// With the wash off (the player's case) a list in a panel shows the picture through a null
// brush, and the rows the list box repaints straight onto the screen would stay opaque white.
TEST_F(ListSkins, ASelectionMovedWithTheWashOffIsPaintedWholeAgain) {
  HWND list = List(WS_BORDER, 6);
  Skin(false);
  skin_test::Pump();
  RECT client{}, dirty{};
  GetClientRect(list, &client);
  ValidateRect(list, nullptr);
  SendMessageA(list, LB_SETCURSEL, 2, 0);
  GetUpdateRect(list, &dirty, FALSE);
  EXPECT_TRUE(EqualRect(&client, &dirty));
  ExpectAClickOnRow4RepaintsWhole(list);
}

TEST_F(ListSkins, NoFrameWithoutAFrameStyleAndTheSkinsFrameSurvivesNonClientPainting) {
  HWND bare = List(0, 0);
  HWND framed = List(WS_BORDER, 0, 100);
  Skin();
  // Drawn into a green surface of the window's size: nothing at all without a frame style.
  skin::MemoryDc surface;
  surface.EnsureDc();
  surface.SelectNewDib(80, 120);
  auto fillGreen = [&] {
    const RECT all{0, 0, 80, 120};
    SetBkColor(surface.dc(), kGreen);
    ExtTextOutA(surface.dc(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
  };
  fillGreen();
  c::DrawListFrame(bare, surface.dc(), true, false);
  EXPECT_TRUE(work().lastLayers.empty());
  for (POINT p : {POINT{0, 60}, POINT{1, 60}, POINT{40, 0}}) {
    EXPECT_EQ(GetPixel(surface.dc(), p.x, p.y), kGreen);
  }
  fillGreen();
  c::DrawListFrame(framed, surface.dc(), false, false);
  const COLORREF edge = GetPixel(surface.dc(), 0, 60);
  EXPECT_NE(edge, kGreen);
  EXPECT_EQ(GetPixel(surface.dc(), 40, 60), kGreen);  // inside the frame: the control's own

  // The system's default non-client painting comes after the skin's frame and must leave it.
  SendMessageA(framed, WM_NCPAINT, 1, 0);
  HDC dc = GetWindowDC(framed);
  EXPECT_EQ(GetPixel(dc, 0, 60), edge);
  EXPECT_EQ(GetPixel(dc, 79, 30), GetPixel(surface.dc(), 79, 30));
  ReleaseDC(framed, dc);
}

}  // namespace
