// Buttons on a skinned window: what the attach takes, hover and leave, clicks, keys and check
// states, teardown, and the faces themselves drawn over a known picture.
#include "skin/controls/button_skin.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "skin/controls/button_faces.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/family.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/property_keys.h"
#include "skin/skin_settings.h"
#include "skin/subclass.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

namespace c = skin::controls;
using c::Layer;
using skin_test::RecordOf;
using skin_test::TestWindow;

constexpr COLORREF kBlue = RGB(0, 0, 255);

HWND Child(HWND parent, const char* text, DWORD style, int x, int y, int w = 80, int h = 24) {
  return CreateWindowExA(0, "Button", text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         nullptr, nullptr, nullptr);
}

bool Has(const std::vector<Layer>& layers, Layer layer) {
  return std::find(layers.begin(), layers.end(), layer) != layers.end();
}

// A 32-bit memory surface the painters draw into, so pixels are read back exactly.
struct Surface {
  Surface(int w, int h) {
    dc.EnsureDc();
    dc.SelectNewDib(w, h);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc.dc(), x, y); }
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> all;
    for (int y = 0; y < dc.height(); ++y) {
      for (int x = 0; x < dc.width(); ++x) all.push_back(At(x, y));
    }
    return all;
  }
  skin::MemoryDc dc;
};

class ButtonSkins : public testing::Test {
 protected:
  void SetUp() override {
    skin_test::ResetSkinSettings();
    skin_test::engine->frameFirstRun = 0;
    window = std::make_unique<TestWindow>(320, 240);
    push = Child(window->hwnd(), "OK", BS_PUSHBUTTON, 10, 40);
    second = Child(window->hwnd(), "Two", BS_DEFPUSHBUTTON, 100, 40);
    check = Child(window->hwnd(), "Check", BS_AUTOCHECKBOX, 10, 80);
    radio = Child(window->hwnd(), "Radio", BS_AUTORADIOBUTTON, 10, 110);
    manual = Child(window->hwnd(), "Manual", BS_RADIOBUTTON, 10, 140);
    tristate = Child(window->hwnd(), "Three", BS_AUTO3STATE, 100, 140);
    group = Child(window->hwnd(), "Group", BS_GROUPBOX, 190, 80, 100, 80);
    skin_test::SkinLikeTheApplication(window->hwnd(), skin_test::SolidPicture(8, 8, kBlue));
    RedrawWindow(window->hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    record = RecordOf(window->hwnd());
    ASSERT_NE(record, nullptr);
  }
  skin_test::FaceWork& work() { return skin_test::faceWork(); }

  std::unique_ptr<TestWindow> window;
  HWND push{}, second{}, check{}, radio{}, manual{}, tristate{}, group{};
  skin::WindowSkinRecord* record = nullptr;
};

TEST_F(ButtonSkins, AttachTakesPushCheckAndAutoRadioButtonsOnce) {
  for (HWND b : {push, second, check, radio}) {
    EXPECT_NE(c::ButtonOf(b), nullptr);
    EXPECT_NE(skin::prop::Get(b, skin::prop::Hw_hProc), 0);
    EXPECT_EQ(skin::prop::Get(b, skin::prop::Hw_FuID), skin_test::IndexOf(window->hwnd()));
  }
  for (HWND b : {manual, tristate, group}) EXPECT_EQ(c::ButtonOf(b), nullptr);
  // Push buttons are drawn by their parent from now on; toggles keep their style.
  EXPECT_EQ(GetWindowLongA(push, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(GetWindowLongA(check, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
  EXPECT_EQ(c::ButtonOf(check)->kind, c::kCheckBox);
  EXPECT_EQ(c::ButtonOf(radio)->kind, c::kRadioButton);
  EXPECT_EQ(c::ButtonOf(push)->text, L"OK");

  const size_t count = record->controls[skin::kListButtons].size();
  c::AttachPushButtons(record, window->hwnd());
  c::AttachCheckAndRadioButtons(record, window->hwnd());
  EXPECT_EQ(record->controls[skin::kListButtons].size(), count);
  // The skin's own text follows WM_SETTEXT.
  SetWindowTextA(push, "Again");
  EXPECT_EQ(c::ButtonOf(push)->text, L"Again");
  // ...and its font WM_SETFONT: a DPI change gives every unit a larger one.
  const int32_t before = c::ButtonOf(push)->fontSize;
  HFONT large =
      CreateFontA(-3 * before, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
  const auto old = SendMessageA(push, WM_GETFONT, 0, 0);
  SendMessageA(push, WM_SETFONT, reinterpret_cast<WPARAM>(large), TRUE);
  EXPECT_GT(c::ButtonOf(push)->fontSize, before);
  SendMessageA(push, WM_SETFONT, static_cast<WPARAM>(old), FALSE);
  DeleteObject(large);
}

// What the screen shows: the hot face at the first move and no repaint on the next ones, the
// focused face after a leave while focused, and the normal face back once focus goes too.
TEST_F(ButtonSkins, HoverLightsTheButtonOnceAndLeavingPutsBackTheFaceOfItsFocus) {
  using skin_test::WindowPixels;
  const std::vector<uint32_t> normal = WindowPixels(second);
  skin_test::SendMouse(push, WM_MOUSEMOVE, 10, 10);
  EXPECT_TRUE(skin_test::ShowsAccent(skin_test::WindowPixel(push, 40, 0)));
  skin_test::MarkWindowPixel(push, 6, 12, RGB(255, 0, 255));
  for (int i = 1; i < 5; ++i) skin_test::SendMouse(push, WM_MOUSEMOVE, 10 + i, 10);
  EXPECT_EQ(skin_test::WindowPixel(push, 6, 12), RGB(255, 0, 255)) << "repainted on every move";

  skin_test::SendMouse(second, WM_MOUSEMOVE, 5, 5);
  const std::vector<uint32_t> hot = WindowPixels(second);
  EXPECT_NE(hot, normal);
  SendMessageA(second, WM_SETFOCUS, 0, 0);
  SendMessageA(second, WM_MOUSELEAVE, 0, 0);
  const std::vector<uint32_t> focused = WindowPixels(second);
  EXPECT_NE(focused, normal);
  EXPECT_NE(focused, hot);
  SendMessageA(second, WM_KILLFOCUS, 0, 0);
  SendMessageA(second, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(WindowPixels(second), normal);
  // After a leave the same button lights up again on the next move.
  skin_test::SendMouse(second, WM_MOUSEMOVE, 6, 6);
  EXPECT_EQ(WindowPixels(second), hot);
}

TEST_F(ButtonSkins, DoubleClickIsSwallowedAndNcPaintPaintsNothing) {
  window->ClearSeen();
  EXPECT_EQ(skin_test::SendMouse(push, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON), 0);
  EXPECT_NE(GetCapture(), push);  // no press began
  EXPECT_EQ(window->Count(WM_COMMAND), 0);
  EXPECT_EQ(SendMessageA(push, WM_NCPAINT, 1, 0), 1);
  EXPECT_EQ(SendMessageA(radio, WM_NCPAINT, 1, 0), 1);
}

TEST_F(ButtonSkins, CheckStateIsReadFromTheControlAfterClickSpaceAndSetCheck) {
  auto lastShowsCheck = [&] {
    EXPECT_EQ(work().lastWindow, check);
    return Has(work().lastLayers, Layer::kCheckImage);
  };
  skin_test::SendMouse(check, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  skin_test::SendMouse(check, WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(lastShowsCheck());

  SendMessageA(check, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(check, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(lastShowsCheck());

  SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(lastShowsCheck());

  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(work().lastWindow, radio);
  EXPECT_TRUE(Has(work().lastLayers, Layer::kDot));
}

TEST_F(ButtonSkins, ADestroyedButtonLeavesItsSlotForTheNextOne) {
  const int32_t slot = static_cast<int32_t>(skin::prop::Get(second, skin::prop::Hw_lbID));
  DestroyWindow(second);
  const auto& list = record->controls[skin::kListButtons];
  EXPECT_EQ(list[slot - 1], nullptr);  // the record went with its button
  EXPECT_EQ(c::SlotOf(list, second), 0);

  // A window whose list holds one emptied record fills slot 1 again.
  TestWindow lone(200, 100);
  HWND only = Child(lone.hwnd(), "only", BS_PUSHBUTTON, 10, 40);
  skin_test::SkinLikeTheApplication(lone.hwnd(), skin_test::SolidPicture(8, 8, kBlue));
  DestroyWindow(only);
  HWND next = Child(lone.hwnd(), "next", BS_PUSHBUTTON, 10, 40);
  c::AttachPushButtons(RecordOf(lone.hwnd()), lone.hwnd());
  EXPECT_EQ(skin::prop::Get(next, skin::prop::Hw_lbID), 1);
  EXPECT_EQ(RecordOf(lone.hwnd())->controls[skin::kListButtons].size(), 1u);
}

TEST_F(ButtonSkins, FacesAreTranslucentOverThePictureAndShowTheirStates) {
  const RECT r{0, 0, 80, 24};
  Surface normal(80, 24), disabled(80, 24), hot(80, 24);
  c::PaintPushButton(push, normal.dc.dc(), 0, r);
  c::PaintPushButton(push, disabled.dc.dc(), c::kStateDisabled | c::kStateHot, r);
  c::PaintPushButton(push, hot.dc.dc(), c::kStateHot, r);
  // Away from the caption: the blue picture shows through the white face.
  const COLORREF face = normal.At(6, 12);
  EXPECT_GT(GetBValue(face), 200);
  EXPECT_GT(GetRValue(face), 60);
  EXPECT_LT(GetRValue(face), 200);
  EXPECT_EQ(disabled.At(6, 12), RGB(0xC0, 0xC0, 0xC0));
  // The hot outline is the accent colour (0xFF8800: no red), under the dark outline.
  const COLORREF edge = hot.At(40, 0);
  EXPECT_EQ(GetRValue(edge), 0);
  EXPECT_GT(GetGValue(edge), 40);
  EXPECT_GT(GetBValue(edge), GetGValue(edge));
  EXPECT_GT(GetRValue(normal.At(40, 0)), 0);

  Surface on(80, 24), off(80, 24);
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  c::PaintRadioButton(radio, 0, on.dc.dc());
  SendMessageA(radio, BM_SETCHECK, BST_UNCHECKED, 0);
  c::PaintRadioButton(radio, 0, off.dc.dc());
  const int dotY = (24 - 12) / 2 + 3 + 3;
  EXPECT_NE(on.At(8, dotY), off.At(8, dotY));
  EXPECT_EQ(off.At(60, 2), kBlue);  // no opaque rectangle behind the caption
}

// Each style's states as painted over the picture: every state looks its own, disabled wins over
// everything else, and the flat pill's tint grows from normal to hot to pressed.
TEST_F(ButtonSkins, EachStateOfEveryStyleLooksItsOwnAndDisabledWinsOverAll) {
  using Painter = void (*)(HWND, HDC, UINT, const RECT&);
  const RECT r{0, 0, 80, 24};
  auto paint = [&](Painter painter, UINT state) {
    Surface s(80, 24);
    painter(push, s.dc.dc(), state, r);
    return s.Pixels();
  };
  const UINT states[] = {0, c::kStateHot, c::kStatePressed, c::kStateFocus, c::kStateDisabled};
  const UINT all = c::kStateDisabled | c::kStateHot | c::kStateFocus | c::kStatePressed;
  for (Painter painter : {&c::PaintPushButton, &c::PaintFlatButton}) {
    std::vector<std::vector<COLORREF>> faces;
    for (UINT state : states) faces.push_back(paint(painter, state));
    for (size_t i = 0; i < faces.size(); ++i) {
      for (size_t j = i + 1; j < faces.size(); ++j) {
        EXPECT_NE(faces[i], faces[j]) << "states " << states[i] << " and " << states[j];
      }
    }
    EXPECT_EQ(paint(painter, all), faces.back());
  }
  // The accent's green over the blue picture, left of the caption.
  auto tint = [&](UINT state) {
    Surface s(80, 24);
    c::PaintFlatButton(push, s.dc.dc(), state, r);
    return GetGValue(s.At(12, 12));
  };
  EXPECT_LT(tint(0), tint(c::kStateHot));
  EXPECT_LT(tint(c::kStateHot), tint(c::kStatePressed));
  // The text button has no face: the picture, until the pointer brings the underline.
  const std::vector<COLORREF> bare = paint(&c::PaintTextButton, 0);
  EXPECT_EQ(bare[12 * 80 + 2], kBlue);
  EXPECT_NE(paint(&c::PaintTextButton, c::kStateHot), bare);
}

TEST_F(ButtonSkins, WindowHandsOwnerDrawnButtonsToTheirPainter) {
  Surface target(80, 24);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.hwndItem = push;
  item.hDC = target.dc.dc();
  item.rcItem = RECT{0, 0, 80, 24};
  item.itemState = ODS_SELECTED;
  const uint32_t before = work().paints;
  SendMessageA(window->hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(work().paints, before + 1);
  EXPECT_TRUE(Has(work().lastLayers, Layer::kPressed));
  item.CtlType = ODT_MENU;
  SendMessageA(window->hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  item.CtlType = ODT_BUTTON;
  item.hwndItem = manual;  // not attached
  SendMessageA(window->hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(work().paints, before + 1);
}

TEST_F(ButtonSkins, EngineGivenStylesRepaintThroughTheSameRecord) {
  skin_test::engine->ReskinButtonKind1(push);
  EXPECT_EQ(c::ButtonOf(push)->kind, c::kFlatButton);
  skin_test::engine->ReskinButtonKind3(check);  // a check box made a text button
  EXPECT_EQ(c::ButtonOf(check)->kind, c::kTextButton);
  EXPECT_EQ(GetWindowLongA(check, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  c::RedrawButton(push, 0, 1);
  EXPECT_TRUE(Has(work().lastLayers, Layer::kFlatFace));
  c::RedrawButton(check, 0, 1);
  EXPECT_TRUE(Has(work().lastLayers, Layer::kUnderline));
  // Dialog code resetting the default-button style keeps it owner-drawn.
  SendMessageA(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(GetWindowLongA(push, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

// The parent destroys the button its click came from, while the button's skin is still inside
// that click: the skin finishes the message on a record that is gone from the list, and the
// record is freed once the message returns.
LRESULT CALLBACK DestroyClicked(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    DestroyWindow(reinterpret_cast<HWND>(lParam));
    return 0;
  }
  return skin::CallNext(window, message, wParam, lParam);
}

TEST_F(ButtonSkins, AButtonDestroyedByItsOwnClickIsLetGoWhenTheClickReturns) {
  ASSERT_TRUE(skin::Subclass(window->hwnd(), DestroyClicked, nullptr));
  for (HWND button : {check, push}) {
    ASSERT_NE(c::ButtonOf(button), nullptr);
    const std::weak_ptr<skin::ControlRecord> held = c::ButtonOf(button)->weak_from_this();
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(held.expired());
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(IsWindow(button));
    EXPECT_TRUE(held.expired());
    EXPECT_EQ(c::SlotOf(record->controls[skin::kListButtons], button), 0);
  }
  skin::Unsubclass(window->hwnd(), DestroyClicked);
  // The window and its other buttons go on as before.
  EXPECT_NE(c::ButtonOf(second), nullptr);
  SendMessageA(second, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(c::ButtonOf(second)->hot);
}

}  // namespace
