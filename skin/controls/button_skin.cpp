#include "skin/controls/button_skin.h"

#include "skin/controls/button_faces.h"
#include "skin/controls/control_font.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/family.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

constexpr LONG kOwnerDrawBits = BS_OWNERDRAW;  // 0xB: every bit set means owner-drawn

bool IsOwnerDrawn(LONG style) { return (style & kOwnerDrawBits) == kOwnerDrawBits; }

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
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
  const LONG style = GetWindowLongA(button, GWL_STYLE);
  if (IsOwnerDrawn(style)) return;
  SetWindowLongA(button, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
}

// A toggle's own procedure paints the system's look when its state changes: the skin's face
// goes back on top at once.
LRESULT ChainThenRepaint(HWND window, const ButtonSkin& button, UINT message, WPARAM wParam,
                         LPARAM lParam, UINT state = 0) {
  const int32_t kind = button.kind;
  const LRESULT result = CallPrevious(window, message, wParam, lParam);
  if (IsWindow(window)) PaintToggle(window, kind, state);
  return result;
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

void AttachPushButtons(int32_t windowIndex, HWND parent) {
  if (controlColouring == 0) return;
  WindowSkinRecord* record = RecordAt(windowIndex);
  if (!record) return;
  for (HWND child = FindWindowExA(parent, nullptr, "BUTTON", nullptr); child;
       child = FindWindowExA(parent, child, "BUTTON", nullptr)) {
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (!IsSkinnablePushButton(style)) continue;
    if (SlotOf(record->controls[kListButtons], child) > 0) continue;
    auto* button = AttachToSlot<ButtonSkin>(windowIndex, kListButtons, child, ButtonSkinProc);
    if (!button) continue;
    button->kind = kPushButton;
    button->text = WindowText(child);
    SetWindowLongA(child, GWL_STYLE, style | kOwnerDrawBits);
    const ControlFontInfo font = ReadControlFont(child);
    button->fontFace = font.face.empty() ? "宋体" : font.face;
    button->fontSize = font.size == 0 ? 12 : font.size;
    button->fontStyle = font.style;
    InvalidateRect(child, nullptr, TRUE);
  }
}

void AttachCheckAndRadioButtons(int32_t windowIndex, HWND parent) {
  if (controlColouring == 0) return;
  if (!RecordAt(windowIndex)) return;
  for (HWND child = FindWindowExA(parent, nullptr, "BUTTON", nullptr); child;
       child = FindWindowExA(parent, child, "BUTTON", nullptr)) {
    const int32_t kind = CheckOrRadioKind(GetWindowLongA(child, GWL_STYLE));
    if (kind == 0) continue;
    // Called once per window and per panel; a button already skinned keeps its record rather
    // than being subclassed onto itself.
    if (ButtonOf(child)) continue;
    auto* button = AttachToSlot<ButtonSkin>(windowIndex, kListButtons, child, ButtonSkinProc);
    if (!button) continue;
    button->kind = kind;
    button->text = WindowText(child);
    button->checkState = SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    button->parent = parent;
    const ControlFontInfo font = ReadControlFont(child);
    button->fontFace = font.face;
    button->fontSize = font.size;
    button->fontStyle = font.style;
    InvalidateRect(child, nullptr, TRUE);
  }
}

void ReskinButton(int32_t windowIndex, HWND button, int32_t kind) {
  WindowSkinRecord* record = RecordAt(windowIndex);
  if (!record || !button) return;
  ButtonSkin* skin = ButtonOf(button);
  if (!skin) {
    skin = AttachToSlot<ButtonSkin>(windowIndex, kListButtons, button, ButtonSkinProc);
    if (!skin) return;
    skin->text = WindowText(button);
    const ControlFontInfo font = ReadControlFont(button);
    skin->fontFace = font.face.empty() ? "宋体" : font.face;
    skin->fontSize = font.size == 0 ? 12 : font.size;
    skin->fontStyle = font.style;
  }
  skin->kind = kind;
  MakeOwnerDrawn(button);
  InvalidateRect(button, nullptr, TRUE);
}

void RedrawButton(HWND window, UINT state, int32_t hot) {
  const ButtonSkin* button = ButtonOf(window);
  if (!button) return;
  if (hot != 0) state |= kStateHot;
  HDC dc = GetDC(window);
  if (!dc) return;
  RECT client{};
  GetClientRect(window, &client);
  if (IsToggle(button->kind)) {
    PaintToggle(window, button->kind, state, dc);
  } else {
    PaintPushKind(button->kind, window, dc, state, client);
  }
  ReleaseDC(window, dc);
}

void DrawOwnerDrawnItem(int32_t windowIndex, DRAWITEMSTRUCT item) {
  if (item.CtlType != ODT_BUTTON || !item.hwndItem) return;
  const auto slot = static_cast<int32_t>(prop::Get(item.hwndItem, prop::Hw_lbID));
  if (slot <= 0) return;
  WindowSkinRecord* record = RecordAt(windowIndex);
  if (!record) return;
  const ButtonSkin* button = RecordInSlot<ButtonSkin>(record->controls[kListButtons], slot);
  if (!button || button->window != item.hwndItem) return;
  PaintPushKind(button->kind, item.hwndItem, item.hDC, item.itemState, item.rcItem);
}

LRESULT CALLBACK ButtonSkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlPlace place;
  ButtonSkin* button = RecordOf<ButtonSkin>(window, kListButtons, &place);
  if (!button) return CallPrevious(window, message, wParam, lParam);
  const int32_t kind = button->kind;
  switch (message) {
    case WM_NCDESTROY:
      return DetachOnNcDestroy(window, wParam, lParam, kListButtons);
    case WM_MOUSEMOVE:
      TrackLeave(window, button->tracking);
      if (TakeHover(*place.window, kHoverButton, place.slot)) RedrawButton(window, 0, 1);
      break;
    case WM_MOUSELEAVE:
      button->tracking = 0;
      DropHover(*place.window);
      RedrawButton(window, button->focused ? kStateFocus : 0, 0);
      break;
    case WM_MOVE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_LBUTTONDOWN:
    case BM_SETCHECK:
      if (IsToggle(kind)) {
        CallPrevious(window, message, wParam, lParam);
        if (!IsWindow(window)) return 0;
        PaintToggle(window, kind, kind == kRadioButton ? kStatePressed : 0);
        return DefWindowProcA(window, message, wParam, lParam);
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && IsToggle(kind)) {
        CallPrevious(window, message, wParam, lParam);
        if (!IsWindow(window)) return 0;
        PaintToggle(window, kind, kind == kRadioButton ? kStatePressed : 0);
        return DefWindowProcA(window, message, wParam, lParam);
      }
      break;
    case WM_LBUTTONUP:
      DropHover(*place.window);
      if (IsToggle(kind)) return ChainThenRepaint(window, *button, message, wParam, lParam);
      break;
    case WM_LBUTTONDBLCLK:
      return 0;
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      return static_cast<LRESULT>(
          SetTextColor(dc, static_cast<COLORREF>(prop::Get(window, prop::Kj_Ztys))));
    }
    case WM_PAINT:
      if (IsToggle(kind)) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        PaintToggle(window, kind, 0, dc);
        EndPaint(window, &ps);
        return DefWindowProcA(window, message, wParam, lParam);
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      button->focused = message == WM_SETFOCUS ? 1 : 0;
      if (IsToggle(kind)) {
        return ChainThenRepaint(window, *button, message, wParam, lParam,
                                button->focused ? kStateFocus : 0);
      }
      break;
    case WM_SETTEXT:
      button->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      if (IsToggle(kind)) return ChainThenRepaint(window, *button, message, wParam, lParam);
      break;
    case WM_NCPAINT:
      return 1;
    case WM_ENABLE:
    case BM_SETSTATE:
    case WM_KEYUP:
      if (IsToggle(kind)) return ChainThenRepaint(window, *button, message, wParam, lParam);
      break;
    case BM_SETSTYLE:
      // Dialog code moves the default-button style around; the type must stay owner-drawn.
      if (!IsToggle(kind)) {
        wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
      }
      break;
  }
  return CallPrevious(window, message, wParam, lParam);
}

}  // namespace skin::controls
