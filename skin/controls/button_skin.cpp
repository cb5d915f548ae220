#include "skin/controls/button_skin.h"

#include "skin/controls/button_faces.h"
#include "skin/controls/control_font.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/skinned_control.h"
#include "skin/gdi/gdi_scoped.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

constexpr LONG kOwnerDrawBits = BS_OWNERDRAW;  // 0xB: every bit set means owner-drawn

bool IsOwnerDrawn(LONG style) { return (style & kOwnerDrawBits) == kOwnerDrawBits; }

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

bool IsToggle(int32_t kind) { return kind == kRadioButton || kind == kCheckBox; }

void PaintToggle(HWND window, int32_t kind, UINT state, HDC dc = nullptr) {
  if (kind == kRadioButton) PaintRadioButton(window, state, dc);
  if (kind == kCheckBox) PaintCheckBox(window, state, dc);
}

// Paints an owner-drawn face of the record's kind.
void PaintPushKind(int32_t kind, HWND window, HDC dc, UINT state, const RECT& rect) {
  switch (kind) {
    case kPushButton:
      PaintPushButton(window, dc, state, rect);
      break;
    case kFlatButton:
      PaintFlatButton(window, dc, state, rect);
      break;
    case kTextButton:
      PaintTextButton(window, dc, state, rect);
      break;
  }
}

void MakeOwnerDrawn(HWND button) {
  const LONG style = GetWindowLongW(button, GWL_STYLE);
  if (IsOwnerDrawn(style)) return;
  SetWindowLongW(button, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
}

// A toggle's own procedure paints the system's look when its state changes: the skin's face
// goes back on top at once.
LRESULT ChainThenRepaint(SkinnedMessage& m, UINT state = 0) {
  const int32_t kind = m.record->kind;
  const LRESULT result = m.Chain();
  if (IsWindow(m.window)) PaintToggle(m.window, kind, state);
  return result;
}

// Chained first; then the toggle's pressed face (a radio button) over what the system drew.
LRESULT ChainThenPress(SkinnedMessage& m) {
  const int32_t kind = m.record->kind;
  m.Chain();
  if (!IsWindow(m.window)) return 0;
  PaintToggle(m.window, kind, kind == kRadioButton ? kStatePressed : 0);
  return DefWindowProcW(m.window, m.message, m.wParam, m.lParam);
}

void PaintFace(ControlRecord& record, HDC) {
  const auto& button = static_cast<ButtonSkin&>(record);
  RedrawButton(button.window, button.focused && !button.hot ? kStateFocus : 0, button.hot);
}

bool Handle(SkinnedMessage& m, LRESULT* result) {
  HWND window = m.window;
  auto& button = m.As<ButtonSkin>();
  const bool toggle = IsToggle(button.kind);
  switch (m.message) {
    case WM_MOVE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_LBUTTONDOWN:
    case BM_SETCHECK:
      if (!toggle) break;
      *result = ChainThenPress(m);
      return true;
    case WM_KEYDOWN:
      if (m.wParam != VK_SPACE || !toggle) break;
      *result = ChainThenPress(m);
      return true;
    case WM_LBUTTONUP:
      DropHover(*m.owner);
      if (!toggle) break;
      *result = ChainThenRepaint(m);
      return true;
    case WM_LBUTTONDBLCLK:
      *result = 0;
      return true;
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(m.wParam);
      SetBkMode(dc, TRANSPARENT);
      *result = static_cast<LRESULT>(
          SetTextColor(dc, static_cast<COLORREF>(prop::Get(window, prop::Kj_Ztys))));
      return true;
    }
    case WM_PAINT:
      if (!toggle) break;
      {
        PaintDc dc(window);
        PaintToggle(window, button.kind, 0, dc);
      }
      *result = DefWindowProcW(window, m.message, m.wParam, m.lParam);
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      button.focused = m.message == WM_SETFOCUS;
      if (!toggle) break;
      *result = ChainThenRepaint(m, button.focused ? kStateFocus : 0);
      return true;
    case WM_SETTEXT:
      button.text = GivenText(m.window, m.lParam);
      if (!toggle) break;
      *result = ChainThenRepaint(m);
      return true;
    case WM_NCPAINT:
      *result = 1;
      return true;
    case WM_ENABLE:
    case BM_SETSTATE:
    case WM_KEYUP:
      if (!toggle) break;
      *result = ChainThenRepaint(m);
      return true;
    case BM_SETSTYLE:
      // Dialog code moves the default-button style around; the type must stay owner-drawn.
      if (!toggle) {
        *result = m.Chain(m.message, (m.wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW,
                          m.lParam);
        return true;
      }
      break;
  }
  return false;
}

constexpr KindOps kButtonOps{kListButtons, kHwKeys, kHoverButton, FaceKind::kOwn,
                             PaintFace,    nullptr, nullptr,      Handle};

// A fresh record for the button, its text and font read from it; null when it cannot be had.
ButtonSkin* AttachButton(WindowSkinRecord* ownerRecord, HWND button, bool defaultFont) {
  auto* skin = AttachKind<&kButtonOps, ButtonSkin>(ownerRecord, button);
  if (!skin) return nullptr;
  skin->text = WindowText(button);
  const ControlFontInfo font = ReadControlFont(button);
  skin->fontFace = defaultFont && font.face.empty() ? std::wstring(FaceOf(button)) : font.face;
  skin->fontSize = defaultFont && font.size == 0 ? 12 : font.size;
  skin->fontStyle = font.style;
  return skin;
}

}  // namespace

bool IsSkinnablePushButton(LONG style) {
  if (IsOwnerDrawn(style)) return false;
  if (style & 0x2 || style & 0x4) return false;
  return !((style & 0x1) && (style & 0x8));
}

int32_t CheckOrRadioKind(LONG style) {
  if (IsOwnerDrawn(style)) return 0;
  if ((style & 0x2) && !(style & 0x4)) return kCheckBox;
  if (!(style & 0x2) && (style & 0x1) && (style & 0x8) && !(style & 0x4)) return kRadioButton;
  return 0;
}

ButtonSkin* ButtonOf(HWND window) { return RecordOf<ButtonSkin>(window, kListButtons); }

void AttachPushButtons(WindowSkinRecord* ownerRecord, HWND parent) {
  if (SettingsOf(parent).controlColouring == 0) return;
  WindowSkinRecord* record = ownerRecord;
  if (!record) return;
  for (HWND child = FindWindowExW(parent, nullptr, L"BUTTON", nullptr); child;
       child = FindWindowExW(parent, child, L"BUTTON", nullptr)) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (!IsSkinnablePushButton(style)) continue;
    auto* button = AttachButton(ownerRecord, child, true);
    if (!button) continue;
    button->kind = kPushButton;
    SetWindowLongW(child, GWL_STYLE, style | kOwnerDrawBits);
    InvalidateRect(child, nullptr, TRUE);
  }
}

void AttachCheckAndRadioButtons(WindowSkinRecord* ownerRecord, HWND parent) {
  if (SettingsOf(parent).controlColouring == 0) return;
  if (!ownerRecord) return;
  for (HWND child = FindWindowExW(parent, nullptr, L"BUTTON", nullptr); child;
       child = FindWindowExW(parent, child, L"BUTTON", nullptr)) {
    const int32_t kind = CheckOrRadioKind(GetWindowLongW(child, GWL_STYLE));
    if (kind == 0) continue;
    // Called once per window and per panel; a button already skinned keeps its record rather
    // than being subclassed onto itself.
    auto* button = AttachButton(ownerRecord, child, false);
    if (!button) continue;
    button->kind = kind;
    button->checkState = SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    button->parent = parent;
    InvalidateRect(child, nullptr, TRUE);
  }
}

void ReskinButton(WindowSkinRecord* ownerRecord, HWND button, int32_t kind) {
  WindowSkinRecord* record = ownerRecord;
  if (!record || !button) return;
  ButtonSkin* skin = ButtonOf(button);
  if (!skin) skin = AttachButton(ownerRecord, button, true);
  if (!skin) return;
  skin->kind = kind;
  MakeOwnerDrawn(button);
  InvalidateRect(button, nullptr, TRUE);
}

void RedrawButton(HWND window, UINT state, int32_t hot) {
  const ButtonSkin* button = ButtonOf(window);
  if (!button) return;
  if (hot != 0) state |= kStateHot;
  // Hover and leave repaint with the state they know; a disabled button stays disabled.
  if (!IsWindowEnabled(window)) state = (state & ~(kStateHot | kStatePressed)) | kStateDisabled;
  ClientDc dc(window);
  if (!dc) return;
  RECT client{};
  GetClientRect(window, &client);
  if (IsToggle(button->kind)) {
    PaintToggle(window, button->kind, state, dc);
  } else {
    PaintPushKind(button->kind, window, dc, state, client);
  }
}

void DrawOwnerDrawnItem(WindowSkinRecord* ownerRecord, DRAWITEMSTRUCT item) {
  if (item.CtlType != ODT_BUTTON || !item.hwndItem) return;
  const ButtonSkin* button = ButtonOf(item.hwndItem);
  if (!button || !ownerRecord || button->owner != ownerRecord) return;
  PaintPushKind(button->kind, item.hwndItem, item.hDC, item.itemState, item.rcItem);
}

}  // namespace skin::controls
