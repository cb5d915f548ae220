#include "skin/contrast/high_contrast.h"

#include <commctrl.h>

#include "skin/controls/button_skin.h"
#include "skin/controls/family.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/subclass.h"

namespace skin {
namespace {

bool SystemHighContrast() {
  HIGHCONTRASTW info{};
  info.cbSize = sizeof(info);
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(info), &info, 0)) return false;
  return (info.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

constexpr LONG kSystemFrame = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU;

}  // namespace

HighContrastMode::HighContrastMode() : on_(SystemHighContrast()) {}

void HighContrastMode::SetSource(HighContrastSource source) { source_ = source; }

bool HighContrastMode::Refresh() {
  const bool now = source_ ? source_() : SystemHighContrast();
  if (now == on_) return false;
  on_ = now;
  return true;
}

bool HighContrastOn(HWND window) {
  const SkinEngine* engine = EngineOf(window);
  return engine ? engine->highContrast.On() : SystemHighContrast();
}

void ApplyHighContrast(WindowSkinRecord& record) {
  HWND hwnd = record.hwnd;
  const bool on = record.engine && record.engine->highContrast.On();
  if (!IsWindow(hwnd)) return;
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  if (on) {
    const LONG frame = record.sizable != 0 ? kSystemFrame : (kSystemFrame & ~WS_THICKFRAME);
    record.systemFrameBits |= frame & ~style;
  }
  const LONG wanted = on ? (style | record.systemFrameBits) : (style & ~record.systemFrameBits);
  if (!on) record.systemFrameBits = 0;
  if (on) SetWindowRgn(hwnd, nullptr, FALSE);
  if (wanted != style && !IsIconic(hwnd) && !IsZoomed(hwnd)) {
    // The client area keeps its place and size; the frame grows round it or goes.
    RECT client{};
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    SetWindowLongW(hwnd, GWL_STYLE, wanted);
    AdjustWindowRectEx(&client, wanted, FALSE, GetWindowLongW(hwnd, GWL_EXSTYLE));
    SetWindowPos(hwnd, nullptr, client.left, client.top, client.right - client.left,
                 client.bottom - client.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
  } else if (wanted != style) {
    SetWindowLongW(hwnd, GWL_STYLE, wanted);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  // The caption buttons' tips would name buttons the system's caption does not show.
  if (HWND tips = record.tooltip.GetWindow())
    SendMessageW(tips, TTM_ACTIVATE, on ? FALSE : TRUE, 0);
  record.needsFullRedraw = true;  // the skin's frame is painted afresh when it comes back
  RedrawWindow(hwnd, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// While high contrast is on the window is the system's: only teardown, layout, the trimmer and
// the focus-cue flag keep their rows, and the skin's push buttons get the system's face.
bool SystemFrameRow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_NCDESTROY:
    case WM_QUIT:
    case WM_SIZE:
    case WM_ACTIVATEAPP:
    case WM_CHANGEUISTATE:
    case WM_UPDATEUISTATE:
      return false;
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      *result = 1;
      return true;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item && item->CtlType == ODT_BUTTON && controls::ButtonOf(item->hwndItem)) {
        DrawSystemPushButton(*item);
        *result = TRUE;
        return true;
      }
      break;
    }
  }
  *result = CallNext(hwnd, message, wParam, lParam);
  return true;
}

void DrawSystemPushButton(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT face = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  DrawFrameControl(dc, &face, DFC_BUTTON,
                   DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
  wchar_t text[512] = {};
  GetWindowTextW(item.hwndItem, text, static_cast<int>(std::size(text)));
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0))) {
    SelectObject(dc, font);
  }
  RECT label = face;
  if (pressed) OffsetRect(&label, 1, 1);
  DrawTextW(dc, text, -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  RestoreDC(dc, saved);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = face;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace skin
