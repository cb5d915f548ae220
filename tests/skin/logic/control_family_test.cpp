// The control skins' window-free decisions: which buttons each attach takes, the slot rule, when
// a hover repaints, which layers a face is made of, and where a group box puts its caption.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "skin/controls/button_skin.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/family.h"
#include "skin/controls/focus_cues.h"

namespace {

using skin::controls::Layer;
namespace c = skin::controls;

TEST(ButtonStyles, EachAttachTakesOnlyItsOwnButtons) {
  struct Case {
    LONG style;
    bool push;
    int32_t toggle;
  };
  const Case cases[] = {
      {BS_PUSHBUTTON, true, 0},
      {BS_DEFPUSHBUTTON, true, 0},
      {BS_USERBUTTON, true, 0},
      {BS_CHECKBOX, false, c::kCheckBox},
      {BS_AUTOCHECKBOX, false, c::kCheckBox},
      {BS_AUTORADIOBUTTON, false, c::kRadioButton},
      {BS_RADIOBUTTON, false, 0},  // manual radio buttons are left alone
      {BS_3STATE, false, 0},
      {BS_AUTO3STATE, false, 0},
      {BS_GROUPBOX, false, 0},
      {BS_OWNERDRAW, false, 0},
      {BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP, true, 0},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(c::IsSkinnablePushButton(k.style), k.push) << std::hex << k.style;
    EXPECT_EQ(c::CheckOrRadioKind(k.style), k.toggle) << std::hex << k.style;
  }
}

TEST(SlotRule, OneEmptyRecordIsReusedAsTheKindsOwnType) {
  skin::ControlList list;
  list.push_back(std::make_unique<skin::ControlRecord>());  // empty, and of the base type
  EXPECT_EQ(c::TakeSlot<c::ButtonSkin>(list), 1);
  ASSERT_NE(c::RecordInSlot<c::ButtonSkin>(list, 1), nullptr);
  list[0]->window = reinterpret_cast<HWND>(0x10);
  EXPECT_EQ(c::TakeSlot<c::ButtonSkin>(list), 2);
  EXPECT_EQ(c::SlotOf(list, reinterpret_cast<HWND>(0x10)), 1);
  EXPECT_EQ(c::SlotOf(list, nullptr), 0);
  EXPECT_EQ(c::RecordInSlot<c::ButtonSkin>(list, 3), nullptr);
  // Two records, the first emptied: only a single empty record counts as an empty list.
  list[0]->window = nullptr;
  EXPECT_EQ(c::TakeSlot<c::ButtonSkin>(list), 3);
}

TEST(Hover, RepaintsOnlyWhenTheHotControlChanges) {
  skin::WindowSkinRecord window;
  EXPECT_TRUE(c::TakeHover(window, c::kHoverButton, 2, nullptr));
  EXPECT_FALSE(c::TakeHover(window, c::kHoverButton, 2, nullptr));  // moving within the button
  EXPECT_TRUE(c::TakeHover(window, c::kHoverButton, 3, nullptr));   // another button
  EXPECT_TRUE(c::TakeHover(window, c::kHoverEdit, 3, nullptr));     // same index, another kind
  EXPECT_EQ(window.hotKind, c::kHoverEdit);
  EXPECT_EQ(window.hotControl, 3);
  c::DropHover(window);  // left, or clicked: the next move paints hot again
  EXPECT_TRUE(c::TakeHover(window, c::kHoverEdit, 3, nullptr));
  EXPECT_EQ(window.hoverControl, 3);
}

TEST(FaceLayers, RadioDotAndCheckMarkFollowTheCheckStateOnly) {
  for (const UINT state : {0u, c::kStateHot, c::kStatePressed, c::kStateFocus}) {
    const auto has = [](const std::vector<Layer>& v, Layer l) {
      return std::find(v.begin(), v.end(), l) != v.end();
    };
    EXPECT_TRUE(has(c::RadioButtonLayers(state, true), Layer::kDot));
    EXPECT_FALSE(has(c::RadioButtonLayers(state, false), Layer::kDot));
    EXPECT_TRUE(has(c::CheckBoxLayers(state, true), Layer::kCheckImage));
    EXPECT_FALSE(has(c::CheckBoxLayers(state, false), Layer::kCheckImage));
    EXPECT_EQ(has(c::RadioButtonLayers(state, false), Layer::kHotDisc), state == c::kStateHot);
    EXPECT_EQ(has(c::CheckBoxLayers(state, true), Layer::kHotBox), state == c::kStateHot);
  }
}

TEST(FaceLayers, TogglesShowTheFocusCueLastAndNeverLightUpDisabled) {
  using L = Layer;
  const struct {
    UINT state;
    std::vector<Layer> radio, check;
  } cases[] = {
      {c::kStateFocus,
       {L::kRing, L::kDisc, L::kCaption, L::kFocusCue},
       {L::kBoxImage, L::kCaption, L::kFocusCue}},
      {c::kStateDisabled | c::kStateHot,
       {L::kRing, L::kDisc, L::kCaption},
       {L::kBoxImage, L::kCaption}},
      {c::kStateHot | c::kStateFocus,
       {L::kRing, L::kDisc, L::kHotDisc, L::kCaption, L::kFocusCue},
       {L::kBoxImage, L::kHotBox, L::kCaption, L::kFocusCue}},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(c::RadioButtonLayers(k.state, false), k.radio) << k.state;
    EXPECT_EQ(c::CheckBoxLayers(k.state, false), k.check) << k.state;
  }
}

TEST(UiStateFlag, OnlyTheHideFocusFlagOfAUiStateMessageCounts) {
  const struct {
    bool hidden;
    WORD action, flags;
    bool after;
  } cases[] = {
      {true, UIS_CLEAR, UISF_HIDEFOCUS, false},
      {true, UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL, false},
      {false, UIS_SET, UISF_HIDEFOCUS, true},
      {true, UIS_CLEAR, UISF_HIDEACCEL, true},  // accelerators only
      {false, UIS_SET, UISF_ACTIVE, false},
      {false, UIS_INITIALIZE, 0, true},   // the last input is not known: hidden
      {false, 7, UISF_HIDEFOCUS, false},  // no such action
  };
  for (const auto& k : cases) {
    EXPECT_EQ(c::HideFocusAfter(k.hidden, MAKEWPARAM(k.action, k.flags)), k.after)
        << k.hidden << " " << k.action << " " << k.flags;
  }
}

TEST(GroupCaption, PlacedByTheAlignmentBits) {
  EXPECT_EQ(c::GroupCaptionX(BS_GROUPBOX | BS_CENTER, 200, 40), 80);
  EXPECT_EQ(c::GroupCaptionX(BS_GROUPBOX | BS_LEFT, 200, 40), 10);
  EXPECT_EQ(c::GroupCaptionX(BS_GROUPBOX | BS_RIGHT, 200, 40), 150);
  EXPECT_EQ(c::GroupCaptionX(BS_GROUPBOX, 200, 40), 0);
}

}  // namespace

namespace {

TEST(HeaderFace, TextAlignment) {
  EXPECT_EQ(c::HeaderTextAlignment(HDF_LEFT | HDF_STRING), 0);
  EXPECT_EQ(c::HeaderTextAlignment(HDF_CENTER | HDF_IMAGE), 1);
  EXPECT_EQ(c::HeaderTextAlignment(HDF_RIGHT), 2);
}

}  // namespace
