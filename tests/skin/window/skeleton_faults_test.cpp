// What the one skinned-control procedure must get right for every kind: a control another skin
// holds is refused, a repaint after chaining reaches the same control, brushes go with their
// controls, a list's selection never shows opaque rows, and a hot frame stays over a child.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <vector>

#include "skin/controls/button_skin.h"
#include "skin/controls/combo_skin.h"
#include "skin/controls/list_control.h"
#include "skin/controls/slider.h"
#include "skin/controls/up_down.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/resource_count.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

namespace c = skin::controls;
using skin_test::RecordOf;
using skin_test::SendMouse;
using skin_test::ShowsAccent;
using skin_test::TestWindow;
using skin_test::WindowPixel;

constexpr COLORREF kPicture = RGB(40, 60, 90);
constexpr COLORREF kRed = RGB(255, 0, 0);

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w,
           int h) {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         nullptr, nullptr);
}

std::unique_ptr<TestWindow> Skinned(int x) {
  auto window = std::make_unique<TestWindow>(300, 200, 0, true, x, 60);
  return window;
}

void Skin(const TestWindow& window) {
  skin_test::SkinLikeTheApplication(window.hwnd(), skin_test::SolidPicture(16, 16, kPicture));
  RedrawWindow(window.hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
}

class SkeletonFaults : public testing::Test {
 protected:
  void SetUp() override {
    skin_test::ResetSkinSettings();
    skin_test::engine->frameFirstRun = 0;
  }
};

TEST_F(SkeletonFaults, AControlAnotherSkinHoldsIsRefusedAsACommonControl) {
  auto window = Skinned(60);
  HWND push = Child(window->hwnd(), "Button", "Push", BS_PUSHBUTTON, 10, 40, 80, 24);
  HWND slider = Child(window->hwnd(), TRACKBAR_CLASSA, "", 0, 10, 80, 150, 30);
  Skin(*window);
  ASSERT_NE(c::ButtonOf(push), nullptr);
  ASSERT_NE(c::SliderOf(slider), nullptr);
  for (HWND control : {push, slider}) {
    skin_test::engine->AttachCommonControl(control);
    EXPECT_EQ(GetPropW(control, skin::prop::Kj_hProc), nullptr);
    // Two skins over one control would chain to each other until the stack ran out.
    SendMouse(control, WM_MOUSEMOVE, 5, 5);
    SendMessageA(control, WM_MOUSELEAVE, 0, 0);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  }
  EXPECT_TRUE(RecordOf(window->hwnd())->controls[skin::kListCommonControls].empty());
  EXPECT_NE(c::ButtonOf(push), nullptr);
  EXPECT_NE(c::SliderOf(slider), nullptr);
}

// The procedure under the skin: on the message, it takes away another skinned window (which
// renumbers the records) and paints the control red, as a control's own drawing might.
WNDPROC underProc = nullptr;
UINT underMessage = 0;
HWND underVictim = nullptr;

LRESULT CALLBACK UnderTheSkin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == underMessage && underVictim) {
    DestroyWindow(underVictim);
    underVictim = nullptr;
    HDC dc = GetWindowDC(window);
    RECT r{};
    GetWindowRect(window, &r);
    HBRUSH red = CreateSolidBrush(kRed);
    const RECT all{0, 0, r.right - r.left, r.bottom - r.top};
    FillRect(dc, &all, red);
    DeleteObject(red);
    ReleaseDC(window, dc);
    return 0;
  }
  return CallWindowProcA(underProc, window, message, wParam, lParam);
}

TEST_F(SkeletonFaults, TheRepaintAfterChainingReachesTheSameControl) {
  struct Case {
    const char* cls;
    DWORD style;
    UINT message;
  };
  for (const Case& k :
       {Case{"ComboBox", CBS_DROPDOWNLIST, WM_KEYDOWN}, Case{UPDOWN_CLASSA, 0, WM_LBUTTONDOWN}}) {
    // Three windows with one control each in slot 1: after the first goes, the second's old index
    // names the third's control.
    auto first = Skinned(20);
    auto second = Skinned(340);
    auto third = Skinned(660);
    std::vector<HWND> controls;
    for (TestWindow* w : {first.get(), second.get(), third.get()}) {
      controls.push_back(Child(w->hwnd(), k.cls, "", k.style, 20, 40, 40, 30));
    }
    HWND control = controls[1];
    underProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UnderTheSkin)));
    underMessage = k.message;
    for (TestWindow* w : {first.get(), second.get(), third.get()}) Skin(*w);
    ASSERT_EQ(skin_test::IndexOf(second->hwnd()), skin_test::IndexOf(first->hwnd()) + 1);
    underVictim = first->hwnd();
    SendMessageA(control, k.message, k.message == WM_KEYDOWN ? VK_SHIFT : 0, MAKELPARAM(5, 5));
    EXPECT_EQ(underVictim, nullptr) << k.cls;
    EXPECT_NE(WindowPixel(control, 4, 4), kRed) << k.cls << ": the skin's face is back on";
    second->Destroy();  // before its procedure's state goes
  }
}

TEST_F(SkeletonFaults, BrushesGoWithControlsThatComeAndGo) {
  skin_test::engine->highlightEnabled = 1;
  auto window = Skinned(60);
  Skin(*window);
  HWND hwnd = window->hwnd();
  auto cycle = [&] {
    HWND label = Child(hwnd, "Static", "label", 0, 10, 40, 80, 20);
    HWND edit = Child(hwnd, "Edit", "edit", 0, 10, 70, 80, 20);
    for (auto [control, message] :
         {std::pair{label, WM_CTLCOLORSTATIC}, std::pair{edit, WM_CTLCOLOREDIT}}) {
      HDC dc = GetDC(control);
      SendMessageA(hwnd, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
      ReleaseDC(control, dc);
    }
    DestroyWindow(label);
    DestroyWindow(edit);
  };
  cycle();
  const size_t entries = RecordOf(hwnd)->colouredControls.size();
  const int free = skin_test::FreeGdiSlots();
  for (int i = 0; i < 60; ++i) cycle();
  EXPECT_LE(RecordOf(hwnd)->colouredControls.size(), entries);
  EXPECT_EQ(skin_test::FreeGdiSlots(), free);
}

TEST_F(SkeletonFaults, AListBoxSelectionNeverShowsOpaqueRows) {
  skin_test::engine->highlightEnabled = 1;
  skin_test::engine->highlightAlpha = 100;
  auto window = Skinned(60);
  HWND list = Child(window->hwnd(), "ListBox", "", WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                    20, 30, 120, 120);
  for (const char* item : {"a", "b", "c"}) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  Skin(*window);
  skin_test::Pump(50);
  UpdateWindow(list);
  const auto rowHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  const int x = 100;  // right of the text
  const int y = rowHeight / 2;
  HDC dc = GetDC(list);
  const COLORREF before = GetPixel(dc, x, y + 2 * rowHeight);
  ASSERT_NE(before, RGB(255, 255, 255));
  // The system would repaint the two rows whose selection changes opaque, straight away.
  SendMessageA(list, LB_SETCURSEL, 2, 0);
  EXPECT_NE(GetPixel(dc, x, y), RGB(255, 255, 255));
  UpdateWindow(list);
  EXPECT_NE(GetPixel(dc, x, y), RGB(255, 255, 255));
  EXPECT_NE(GetPixel(dc, x, y + 2 * rowHeight), before);  // the selection did move
  ReleaseDC(list, dc);
}

// The pointer goes from the control onto its child and away again; the frame's pixel at (x, y)
// shows the accent until it has left both. `toChild` tells the control it left, as the system
// would when the child takes the pointer.
void HotOverChildThenCold(HWND control, HWND child, int x, int y, void (*toChild)(HWND, HWND)) {
  SendMouse(control, WM_MOUSEMOVE, x + 5, y + 5);
  ASSERT_TRUE(ShowsAccent(WindowPixel(control, x, y))) << std::hex << WindowPixel(control, x, y);
  RECT r{};
  GetWindowRect(child, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  toChild(control, child);
  skin_test::Pump(120);
  EXPECT_TRUE(ShowsAccent(WindowPixel(control, x, y))) << "the frame went cold over its child";
  SetCursorPos(5, 5);
  SendMessageA(child, WM_MOUSELEAVE, 0, 0);
  skin_test::Pump(120);
  EXPECT_FALSE(ShowsAccent(WindowPixel(control, x, y))) << "the frame stayed hot";
}

TEST_F(SkeletonFaults, AListViewStaysHotWhileThePointerIsOverItsHeader) {
  auto window = Skinned(60);
  HWND view = Child(window->hwnd(), WC_LISTVIEWA, "", LVS_REPORT | WS_BORDER, 20, 30, 200, 120);
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 150;
  column.pszText = const_cast<char*>("Name");
  SendMessageA(view, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  Skin(*window);
  HWND header = FindWindowExA(view, nullptr, "SysHeader32", nullptr);
  ASSERT_NE(header, nullptr);
  // The hot line runs down the left edge, below the header.
  HotOverChildThenCold(view, header, 0, 80, [](HWND control, HWND child) {
    SendMessageA(control, WM_MOUSELEAVE, 0, 0);
    SendMouse(child, WM_MOUSEMOVE, 10, 3);
  });
}

// With the paint wash off the combo box's edit is no skin's, so it tells the combo nothing.
TEST_F(SkeletonFaults, AComboBoxWithTheWashOffStaysHotWhileThePointerIsOverItsEdit) {
  auto window = Skinned(60);
  HWND combo = Child(window->hwnd(), "ComboBox", "", CBS_DROPDOWN, 20, 40, 140, 120);
  skin::SkinEngine& engine = *skin_test::engine;
  engine.SetSkin(L"", skin_test::SolidPicture(16, 16, kPicture), 0, 0xFF8800, 3);
  engine.SetOptions(1);
  engine.AttachWindow(window->hwnd(), {.captionActive = 1, .sizable = 1, .captionText = 1});
  HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  ASSERT_EQ(skin::prop::Get(edit, skin::prop::Hw_hProc), 0);
  HotOverChildThenCold(combo, edit, 40, 0,
                       [](HWND control, HWND) { SendMessageA(control, WM_MOUSELEAVE, 0, 0); });
}

}  // namespace
