// Edits and combo boxes on a skinned window: what the attach takes, the frame's hover between
// panels, the selected text right after attaching, and typing over the picture.
#include <gtest/gtest.h>

#include "skin/contrast/contrast.h"
#include "skin/controls/combo_skin.h"
#include "skin/controls/edit_skin.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/family.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/property_keys.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/resource_count.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

namespace c = skin::controls;
using skin_test::RecordOf;
using skin_test::TestWindow;

constexpr COLORREF kBlue = RGB(0, 0, 255);

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
           DWORD exStyle = 0) {
  return CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         nullptr, nullptr, nullptr);
}

HWND Combo(HWND parent, DWORD style, int x, int y, int selected) {
  HWND combo = Child(parent, "ComboBox", "", style, x, y, 120, 200);
  for (const char* item : {"alpha", "MMMMMM", "gamma"}) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  SendMessageA(combo, CB_SETCURSEL, selected, 0);
  return combo;
}

// Pixels of text: whatever its colour (black, or white where black would not read), it stands
// out from the backdrop by 3:1 or more, its anti-aliased edges included.
int InkPixels(HDC dc, RECT r, COLORREF backdrop) {
  const double behind = skin::RelativeLuminance(backdrop);
  int ink = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const double l = skin::RelativeLuminance(GetPixel(dc, x, y));
      if (skin::ContrastRatio(l, behind) >= 3) ++ink;
    }
  }
  return ink;
}

class EditComboSkins : public testing::Test {
 protected:
  void SetUp() override {
    skin_test::ResetSkinSettings();
    skin_test::engine->frameFirstRun = 0;
    window = std::make_unique<TestWindow>(420, 300);
    HWND w = window->hwnd();
    edit = Child(w, "Edit", "text", ES_AUTOHSCROLL, 10, 40, 120, 22, WS_EX_CLIENTEDGE);
    memo = Child(w, "Edit", "", ES_MULTILINE | WS_VSCROLL, 10, 70, 120, 60, WS_EX_CLIENTEDGE);
    dropList = Combo(w, CBS_DROPDOWNLIST, 150, 40, 1);
    dropDown = Combo(w, CBS_DROPDOWN, 150, 80, 2);
    empty = Combo(w, CBS_DROPDOWNLIST, 150, 120, -1);
    skin_test::SkinLikeTheApplication(w, skin_test::SolidPicture(8, 8, kBlue));
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    record = RecordOf(w);
    ASSERT_NE(record, nullptr);
  }

  std::unique_ptr<TestWindow> window;
  HWND edit{}, memo{}, dropList{}, dropDown{}, empty{};
  skin::WindowSkinRecord* record = nullptr;
};

TEST_F(EditComboSkins, AttachTakesEditsCombosAndTheEditInsideACombo) {
  HWND inner = FindWindowExA(dropDown, nullptr, "Edit", nullptr);
  ASSERT_NE(inner, nullptr);
  for (HWND e : {edit, memo, inner}) {
    ASSERT_NE(c::EditOf(e), nullptr);
    EXPECT_EQ(skin::prop::Get(e, skin::prop::Kj_Ztys), 0);
  }
  for (HWND combo : {dropList, dropDown, empty}) EXPECT_NE(c::ComboOf(combo), nullptr);
  const size_t edits = record->controls[skin::kListEdits].size();
  c::AttachEditsAndCombos(record, window->hwnd());
  EXPECT_EQ(record->controls[skin::kListEdits].size(), edits);
  EXPECT_EQ(record->controls[skin::kListComboBoxes].size(), 3u);
}

TEST_F(EditComboSkins, FrameLightsOncePerHoverAndGoesBackToThePictureOnLeaving) {
  skin_test::SendMouse(edit, WM_MOUSEMOVE, 10, 8);
  // The 2-pixel accent pen over the picture.
  EXPECT_TRUE(skin_test::ShowsAccent(skin_test::WindowPixel(edit, 60, 1)));
  skin_test::MarkWindowPixel(edit, 30, 1, RGB(255, 0, 255));
  for (int i = 1; i < 5; ++i) skin_test::SendMouse(edit, WM_MOUSEMOVE, 10 + i, 8);
  EXPECT_EQ(skin_test::WindowPixel(edit, 30, 1), RGB(255, 0, 255)) << "repainted on every move";
  SendMessageA(edit, WM_MOUSELEAVE, 0, 0);
  // Unlit, the ring shows the picture with no accent in it.
  EXPECT_EQ(skin_test::WindowPixel(edit, 60, 1), kBlue);
}

TEST_F(EditComboSkins, SameIndexUnderAnotherPanelRepaintsTheSecondEdit) {
  HWND left = Child(window->hwnd(), "Button", "", BS_GROUPBOX, 10, 150, 180, 100);
  HWND right = Child(window->hwnd(), "Button", "", BS_GROUPBOX, 220, 150, 180, 100);
  HWND a = Child(left, "Edit", "a", 0, 10, 30, 100, 22, WS_EX_CLIENTEDGE);
  HWND b = Child(right, "Edit", "b", 0, 10, 30, 100, 22, WS_EX_CLIENTEDGE);
  skin_test::engine->AttachPanel(left, 1, 0, 255);
  skin_test::engine->AttachPanel(right, 1, 0, 255);
  ASSERT_NE(c::EditOf(a), nullptr);
  ASSERT_NE(c::EditOf(b), nullptr);
  skin_test::SendMouse(a, WM_MOUSEMOVE, 5, 5);
  // The hot fields name b's index under a's panel: only the parent tells them apart.
  record->hotControl = static_cast<int32_t>(skin::prop::Get(b, skin::prop::Hw_lbID));
  skin_test::SendMouse(b, WM_MOUSEMOVE, 5, 5);
  EXPECT_TRUE(skin_test::ShowsAccent(skin_test::WindowPixel(b, 50, 1)));
}

TEST_F(EditComboSkins, AnEditInAPanelShowsThePictureLikeOneOnTheWindow) {
  HWND box = Child(window->hwnd(), "Button", "", BS_GROUPBOX, 10, 150, 180, 100);
  HWND inner = Child(box, "Edit", "a", 0, 10, 30, 100, 22, WS_EX_CLIENTEDGE);
  skin_test::engine->AttachPanel(box, 1, 0, 255);
  skin_test::engine->highlightAlpha = 60;
  HDC dc = GetDC(inner);
  const auto brush = SendMessageA(box, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(inner));
  ReleaseDC(inner, dc);
  ASSERT_NE(brush, 0);
  HDC probe = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(probe, skin::prop::GetAs<HBITMAP>(inner, skin::prop::Kj_wtjb));
  EXPECT_EQ(GetPixel(probe, 50, 9), RGB(60, 60, 255));  // blue under a white wash of 60
  SelectObject(probe, old);
  DeleteDC(probe);
}

TEST_F(EditComboSkins, ComboShowsItsSelectedTextRightAfterAttaching) {
  char text[32] = {};
  GetWindowTextA(FindWindowExA(dropDown, nullptr, "Edit", nullptr), text, sizeof(text));
  EXPECT_STREQ(text, "gamma");
  // The face of a drop-down list carries the selected item's text left of the drop button;
  // one without a selection shows none.
  RECT textArea{4, 3, 120 - c::kDropButtonWidth - 4, 0};
  RECT size{};
  GetWindowRect(dropList, &size);
  textArea.bottom = size.bottom - size.top - 3;
  skin::MemoryDc selected, none;
  for (auto* surface : {&selected, &none}) {
    surface->EnsureDc();
    surface->SelectNewDib(120, size.bottom - size.top);
  }
  c::PaintComboOn(dropList, selected.dc(), false, false);
  c::PaintComboOn(empty, none.dc(), false, false);
  EXPECT_GT(InkPixels(selected.dc(), textArea, kBlue), 20);
  EXPECT_EQ(InkPixels(none.dc(), textArea, kBlue), 0);
  // The drop button's arrow sits in the button, not over the text.
  const int arrowX = 120 - 1 - c::kDropButtonWidth + (c::kDropButtonWidth - 7) / 2 + 3;
  const int arrowY = (size.bottom - size.top - 4) / 2 + 1;
  const COLORREF arrow = GetPixel(none.dc(), arrowX, arrowY);
  EXPECT_GT(GetRValue(arrow), 200);
  EXPECT_GT(GetGValue(arrow), 200);
}

TEST_F(EditComboSkins, ChoosingAnotherItemKeepsTheSkinnedFace) {
  RECT size{};
  GetWindowRect(dropList, &size);
  const int midY = (size.bottom - size.top) / 2;
  auto background = [&] {
    UpdateWindow(dropList);
    HDC dc = GetWindowDC(dropList);
    const COLORREF p = GetPixel(dc, 90, midY);  // right of the short texts, left of the button
    ReleaseDC(dropList, dc);
    return p;
  };
  SendMessageA(dropList, CB_SETCURSEL, 0, 0);
  EXPECT_EQ(background(), kBlue);
  SetFocus(dropList);
  SendMessageA(dropList, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(SendMessageA(dropList, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(background(), kBlue);
}

TEST_F(EditComboSkins, TypingLeavesNoTrailOverThePicture) {
  skin_test::engine->highlightAlpha = 60;
  SetFocus(edit);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("WWWWWWWW"));
  UpdateWindow(edit);
  HDC dc = GetDC(edit);
  RECT client{};
  GetClientRect(edit, &client);
  const RECT textArea{0, 0, client.right / 2, client.bottom};
  const COLORREF bare = GetPixel(dc, client.right - 4, client.bottom / 2);
  ASSERT_GT(InkPixels(dc, textArea, bare), 20);
  // Each key deletes one character, then the next takes its place: what was drawn goes.
  SendMessageA(edit, EM_SETSEL, 0, -1);
  for (const WPARAM key : {WPARAM{VK_DELETE}}) {
    SendMessageA(edit, WM_KEYDOWN, key, 0);
    SendMessageA(edit, WM_KEYUP, key, 0);
  }
  SendMessageA(edit, WM_CHAR, 'i', 0);
  UpdateWindow(edit);
  RECT gone = textArea;
  gone.left = client.right / 6;
  EXPECT_EQ(InkPixels(dc, gone, bare), 0);
  // What shows there is the washed picture, the same as past the text.
  const COLORREF where = GetPixel(dc, client.right / 3, client.bottom / 2);
  EXPECT_EQ(where, GetPixel(dc, client.right - 4, client.bottom / 2));
  EXPECT_GT(GetBValue(where), 200);
  EXPECT_LT(GetRValue(where), 200);
  ReleaseDC(edit, dc);
}

TEST_F(EditComboSkins, KeysClicksAndScrollingRepaintTheWholeEditOnlyWhileTheWashIsOn) {
  struct Case {
    HWND edit;
    UINT message;
    WPARAM wParam;
    int32_t wash;
    bool repainted;
  };
  const Case cases[] = {
      {edit, WM_KEYDOWN, VK_END, 1, true},       {edit, WM_KEYDOWN, VK_END, 0, false},
      {edit, WM_LBUTTONDOWN, 0, 1, true},        {memo, WM_KEYDOWN, VK_END, 1, false},
      {memo, WM_LBUTTONDOWN, 0, 1, false},       {memo, WM_VSCROLL, SB_LINEDOWN, 1, true},
      {memo, WM_VSCROLL, SB_LINEDOWN, 0, false},
  };
  for (const Case& k : cases) {
    skin_test::engine->highlightEnabled = k.wash;
    UpdateWindow(k.edit);
    SendMessageA(k.edit, k.message, k.wParam, MAKELPARAM(60, 5));
    SendMessageA(k.edit, k.message == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_NULL, 0,
                 MAKELPARAM(60, 5));
    RECT dirty{};
    RECT client{};
    GetClientRect(k.edit, &client);
    GetUpdateRect(k.edit, &dirty, FALSE);
    EXPECT_EQ(EqualRect(&dirty, &client) != 0, k.repainted) << k.message << " wash " << k.wash;
  }
}

TEST_F(EditComboSkins, WithTheWashOffAnEditKeepsItsOwnBackground) {
  skin_test::engine->highlightEnabled = 0;
  RECT client{};
  GetClientRect(edit, &client);
  InvalidateRect(edit, nullptr, TRUE);
  UpdateWindow(edit);
  HDC dc = GetDC(edit);
  EXPECT_EQ(GetPixel(dc, client.right - 4, client.bottom / 2), GetSysColor(COLOR_WINDOW));
  ReleaseDC(edit, dc);
}

TEST_F(EditComboSkins, ScrollBarsStayTheSystemsAndTheFrameSurroundsThem) {
  RECT whole{};
  GetWindowRect(memo, &whole);
  const RECT framed = c::FramedArea(memo);
  // The client area and its scroll bar: all of the window inside the 2-pixel edge.
  EXPECT_EQ(framed.right - framed.left, whole.right - whole.left - 4);
  RedrawWindow(memo, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetWindowDC(memo);
  EXPECT_EQ(GetPixel(dc, 1, 30), kBlue);  // the ring: the picture, no system edge
  EXPECT_NE(GetPixel(dc, framed.right - 8, 30), kBlue);
  ReleaseDC(memo, dc);
}

TEST_F(EditComboSkins, DestroyingAnEditReleasesItsBrushes) {
  skin_test::engine->highlightAlpha = 100;
  HWND inner = FindWindowExA(dropDown, nullptr, "Edit", nullptr);
  HDC dc = GetDC(inner);
  const auto brush = SendMessageA(dropDown, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(inner));
  ReleaseDC(inner, dc);
  ASSERT_NE(brush, 0);
  EXPECT_EQ(skin::prop::Get(inner, skin::prop::Kj_dxjb), brush);
  const int free = skin_test::FreeGdiSlots();
  DestroyWindow(dropDown);
  EXPECT_EQ(skin_test::FreeGdiSlots(), free + 2);  // the brush and its bitmap
}

}  // namespace
