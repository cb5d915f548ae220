// The frame's colouring of its child controls: WM_CTLCOLOR* brushes over the window picture,
// and the repaints some notifications need.
#include "skin/backdrop/control_brush.h"
#include "skin/controls/family.h"
#include "skin/controls/list_control.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"

namespace skin {
using controls::IsWindowClass;

bool SkinEngine::OnControlColour(int32_t index, UINT message, HDC dc, HWND control,
                                 LRESULT* result) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record || !control) return false;
  const bool switchesOn = controlColouring != 0 && highlightEnabled != 0;
  switch (message) {
    case WM_CTLCOLOREDIT:
      if (IsWindowClass(GetParent(control), L"ComboBox")) return false;
      [[fallthrough]];
    case WM_CTLCOLORSTATIC: {
      if (!switchesOn) return false;
      SetBkMode(dc, TRANSPARENT);
      HBRUSH brush = BackdropBrushFor(*record, control, dc, highlightAlpha);
      SetTextColor(dc, TextColourOverBrush(control));
      *result = reinterpret_cast<LRESULT>(brush);
      return brush != nullptr;
    }
    case WM_CTLCOLORLISTBOX:
      if (!IsWindowClass(control, L"ListBox")) return false;
      if (GetWindowLongW(control, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) {
        return false;
      }
      [[fallthrough]];
    case WM_CTLCOLORBTN: {
      if (!switchesOn) return false;
      SetTextColor(dc, message == WM_CTLCOLORLISTBOX
                           ? controls::ListTextColour(control)
                           : static_cast<COLORREF>(prop::Get(control, prop::Kj_Ztys)));
      SetBkMode(dc, TRANSPARENT);
      HBRUSH none = NullBrushFor(*record, control);
      *result = reinterpret_cast<LRESULT>(none);
      return true;
    }
  }
  return false;
}

void SkinEngine::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (highlightEnabled == 0 || controlColouring == 0) return;
  const UINT code = HIWORD(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  if (!control) return;
  bool repaint = false;
  if (IsWindowClass(control, L"Edit")) {
    repaint = code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE || code == EN_UPDATE;
  } else if (IsWindowClass(control, L"ListBox")) {
    repaint = code == LBN_SELCHANGE || code == LBN_SELCANCEL;
  } else if (IsWindowClass(control, L"ComboBox")) {
    repaint = code == CBN_KILLFOCUS || code == CBN_SELCHANGE;
  }
  if (repaint) InvalidateRect(control, nullptr, TRUE);
}

}  // namespace skin
