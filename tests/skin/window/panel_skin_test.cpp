// A group box made a panel: its children skinned through it, its frame and caption, the colours
// it hands its children, and when it repaints.
#include <gtest/gtest.h>

#include <vector>

#include "skin/contrast/contrast.h"
#include "skin/controls/button_skin.h"
#include "skin/controls/panel.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/property_keys.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

namespace c = skin::controls;
using skin_test::RecordOf;
using skin_test::TestWindow;

constexpr COLORREF kBlue = RGB(0, 0, 255);

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w,
           int h) {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         nullptr, nullptr);
}

class PanelSkins : public testing::Test {
 protected:
  void SetUp() override {
    skin_test::ResetSkinSettings();
    skin_test::engine->frameFirstRun = 0;
    window = std::make_unique<TestWindow>(360, 260);
    skin_test::SkinLikeTheApplication(window->hwnd(), skin_test::SolidPicture(8, 8, kBlue));
    RedrawWindow(window->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    index = skin_test::IndexOf(window->hwnd());
  }
  // A group box with a push button, a radio button and a static text inside, made a panel.
  HWND MakeGroup(DWORD align, const char* caption, int32_t alpha = 0) {
    HWND box = Child(window->hwnd(), "Button", caption, BS_GROUPBOX | align, 20, 40, 300, 200);
    inner = Child(box, "Button", "Go", BS_PUSHBUTTON, 10, 30, 70, 24);
    radio = Child(box, "Button", "One", BS_AUTORADIOBUTTON, 10, 70, 90, 20);
    text = Child(box, "Static", "label", 0, 10, 100, 90, 20);
    skin_test::engine->AttachPanel(box, 1, GetSysColor(COLOR_WINDOW), alpha);
    return box;
  }
  // What the panel paints, in a memory surface of its client size.
  COLORREF PanelPixel(HWND box, int x, int y) {
    skin::MemoryDc surface;
    surface.EnsureDc();
    surface.SelectNewDib(300, 200);
    c::PaintPanel(box, surface.dc());
    return GetPixel(surface.dc(), x, y);
  }

  std::unique_ptr<TestWindow> window;
  int32_t index = 0;
  HWND inner{}, radio{}, text{};
};

TEST_F(PanelSkins, ChildrenAreSkinnedThroughThePanel) {
  HWND box = MakeGroup(BS_CENTER, "");
  EXPECT_NE(skin::prop::Get(box, skin::prop::Hw_hProc), 0);
  ASSERT_NE(c::ButtonOf(inner), nullptr);
  ASSERT_NE(c::ButtonOf(radio), nullptr);
  EXPECT_EQ(skin::prop::Get(inner, skin::prop::Hw_FuID), index);
  EXPECT_EQ(GetWindowLongA(inner, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(c::ButtonOf(radio)->parent, box);
  // The panel draws what its owner-drawn children ask of it.
  skin::MemoryDc surface;
  surface.EnsureDc();
  surface.SelectNewDib(70, 24);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.hwndItem = inner;
  item.hDC = surface.dc();
  item.rcItem = RECT{0, 0, 70, 24};
  SetPixel(surface.dc(), 30, 12, RGB(1, 2, 3));
  SendMessageA(box, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_NE(GetPixel(surface.dc(), 30, 12), RGB(1, 2, 3));
}

TEST_F(PanelSkins, CentredCaptionInterruptsBothFrameLines) {
  HWND centred = MakeGroup(BS_CENTER, ".");
  // The outer line runs along y = 5 and the inner one along y = 6, except behind the caption.
  EXPECT_NE(PanelPixel(centred, 40, 5), kBlue);
  EXPECT_NE(PanelPixel(centred, 40, 6), kBlue);
  EXPECT_EQ(PanelPixel(centred, 150, 5), kBlue);
  EXPECT_EQ(PanelPixel(centred, 150, 6), kBlue);
  // Without a caption the lines run through.
  HWND plain = MakeGroup(BS_CENTER, "");
  EXPECT_NE(PanelPixel(plain, 150, 5), kBlue);
}

TEST_F(PanelSkins, StaticTextGetsThePictureBehindItNotAnOpaqueRectangle) {
  HWND box = MakeGroup(0, "");
  HDC dc = GetDC(text);
  SetBkMode(dc, OPAQUE);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
      box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(text)));
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  ReleaseDC(text, dc);
  const auto bitmap = skin::prop::GetAs<HBITMAP>(text, skin::prop::Kj_wtjb);
  ASSERT_NE(bitmap, nullptr);
  HDC probe = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(probe, bitmap);
  EXPECT_EQ(GetPixel(probe, 45, 10), kBlue);
  SelectObject(probe, old);
  DeleteDC(probe);
  EXPECT_EQ(skin::prop::GetAs<HBRUSH>(text, skin::prop::Kj_dxjb), brush);
}

TEST_F(PanelSkins, AListBoxLeftToTheSystemKeepsItsOwnBrush) {
  HWND box = MakeGroup(0, "");
  HWND list = Child(box, "ListBox", "", 0, 120, 30, 100, 100);
  HDC dc = GetDC(list);
  const auto brush = reinterpret_cast<HGDIOBJ>(SendMessageA(
      box, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list)));
  ReleaseDC(list, dc);
  EXPECT_NE(brush, GetStockObject(NULL_BRUSH));
}

TEST_F(PanelSkins, MovingRepaintsOnlyATranslucentPanel) {
  HWND opaque = MakeGroup(0, "", 255);
  HWND washed = MakeGroup(0, "", 100);
  for (HWND box : {opaque, washed}) {
    ValidateRect(box, nullptr);
    SendMessageA(box, WM_MOVE, 0, MAKELPARAM(20, 40));
  }
  RECT dirty{};
  EXPECT_FALSE(GetUpdateRect(opaque, &dirty, FALSE));
  EXPECT_TRUE(GetUpdateRect(washed, &dirty, FALSE));
}

TEST_F(PanelSkins, ADestroyedPanelLeavesTheListAndItsChildrenTheirs) {
  HWND box = MakeGroup(0, "");
  const size_t panels = RecordOf(window->hwnd())->PanelCount();
  DestroyWindow(box);
  skin::WindowSkinRecord& record = *RecordOf(window->hwnd());
  EXPECT_EQ(record.PanelCount(), panels);
  EXPECT_EQ(record.PanelAt(panels - 1), nullptr);
  for (const auto& entry : RecordOf(window->hwnd())->controls[skin::kListButtons]) {
    if (!entry) continue;
    EXPECT_NE(entry->window, inner);
    EXPECT_NE(entry->window, radio);
  }
}

}  // namespace

namespace {

// A procedure under the panel's skin that, inside the messages the skin sends or chains while it
// holds the panel's record (the caption's WM_GETTEXT of a paint, WM_SHOWWINDOW, WM_SIZE),
// attaches other group boxes as panels until the panel list's storage has moved. The record the
// skin holds must still be the panel's own: a read from a moved one finds freed memory that Wine
// leaves intact, so the screen alone would not tell.
WNDPROC belowPanel = nullptr;
HWND heldPanel = nullptr;
std::vector<HWND> waiting;
bool armed = false;  // only while the test paints, sizes or shows the panel
int storageMoves = 0;
int recordMoves = 0;

LRESULT CALLBACK GrowsThePanelList(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool held = message == WM_GETTEXT || message == WM_SIZE || message == WM_SHOWWINDOW;
  if (armed && held && window == heldPanel) {
    const skin::ControlList& list =
        RecordOf(GetAncestor(window, GA_ROOT))->controls[skin::kListPanels];
    const void* storage = list.data();
    const skin::PanelSkin* record = c::PanelOf(window);
    while (list.data() == storage && !waiting.empty()) {
      skin_test::engine->AttachPanel(waiting.back(), 1, 0, 255);
      waiting.pop_back();
    }
    if (list.data() != storage) ++storageMoves;
    if (c::PanelOf(window) != record) ++recordMoves;
  }
  return CallWindowProcA(belowPanel, window, message, wParam, lParam);
}

TEST_F(PanelSkins, APanelListThatGrowsWhileAPanelPaintsSizesOrShowsLeavesItsRecordInPlace) {
  HWND box = Child(window->hwnd(), "Button", "Caption", BS_GROUPBOX, 20, 40, 200, 150);
  for (int i = 0; i < 70; ++i) {
    waiting.push_back(Child(window->hwnd(), "Button", "", BS_GROUPBOX, 230, 40 + i * 2, 100, 8));
  }
  heldPanel = box;
  belowPanel = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GrowsThePanelList)));
  skin_test::engine->AttachPanel(box, 1, 0, 255);
  // The caption's text (in whichever ink reads over the blue) and the frame's left line, as the
  // screen shows them.
  auto whole = [&] {
    HDC dc = GetDC(box);
    const double blue = skin::RelativeLuminance(kBlue);
    int ink = 0;
    for (int x = 0; x < 80; ++x) {
      for (int y = 0; y < 16; ++y) {
        if (skin::ContrastRatio(skin::RelativeLuminance(GetPixel(dc, x, y)), blue) >= 3) ++ink;
      }
    }
    const COLORREF line = GetPixel(dc, 0, 80);
    ReleaseDC(box, dc);
    return ink > 10 && line != kBlue;
  };
  const std::vector<HWND> all = waiting;
  const size_t before = waiting.size();
  auto during = [&](const char* what, auto act) {
    const int moved = storageMoves;
    armed = true;
    act();
    armed = false;
    EXPECT_GT(storageMoves, moved) << what << ": the list never grew meanwhile";
    EXPECT_TRUE(whole()) << "after a " << what;
  };
  during("paint", [&] { RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });
  during("size", [&] {
    SetWindowPos(box, nullptr, 0, 0, 210, 160, SWP_NOMOVE | SWP_NOZORDER);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  });
  ShowWindow(box, SW_HIDE);
  during("show", [&] {
    ShowWindow(box, SW_SHOW);
    UpdateWindow(box);
  });
  EXPECT_EQ(recordMoves, 0) << "the skin held a record the list had moved away from";
  // Every one attached meanwhile is a panel of its own.
  for (size_t i = waiting.size(); i < before; ++i) EXPECT_NE(c::PanelOf(all[i]), nullptr) << i;
  waiting.clear();
  heldPanel = nullptr;
}

}  // namespace
