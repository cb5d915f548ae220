#include "skin/controls/common_control.h"

#include <commctrl.h>

#include "skin/controls/face_canvas.h"
#include "skin/controls/family.h"
#include "skin/controls/panel.h"
#include "skin/gdi_handles.h"

namespace skin::controls {
namespace {

struct CommonControlSkin : ControlRecord {
  int32_t tracking = 0;
};

}  // namespace

void AttachCommonControl(int32_t windowIndex, HWND control) {
  WindowSkinRecord* record = RecordAt(windowIndex);
  if (!record || !control) return;
  if (SlotOf(record->controls[kListCommonControls], control) > 0) return;
  AttachToSlot<CommonControlSkin>(windowIndex, kListCommonControls, control, CommonControlProc,
                                  kKjKeys);
  if (IsWindowClass(control, STATUSCLASSNAMEA))
    SendMessageA(control, SB_SETBKCOLOR, 0, kTransparentKey);
  // A panel that does not paint itself: the control draws its own face, and the panel part
  // skins its children and answers their colour and owner-draw messages.
  AttachPanel(windowIndex, control, 0, std::nullopt, std::nullopt, std::nullopt);
  InvalidateRect(control, nullptr, TRUE);
}

void PaintCommonControl(HWND control, HDC dc) {
  RECT client{};
  GetClientRect(control, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  MemoryDc layer;
  if (!layer.EnsureDc() || !layer.SelectNewDib(client.right, client.bottom)) return;
  HBRUSH key = CreateSolidBrush(kTransparentKey);
  FillRect(layer.dc(), &client, key);
  DeleteObject(key);
  CallPrevious(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(layer.dc()), PRF_CLIENT,
               prop::Kj_hProc);
  FaceCanvas canvas(control, client);
  if (!canvas.ok()) return;
  canvas.g().Delete();  // only GDI draws here
  TransparentBlt(canvas.dc(), 0, 0, client.right, client.bottom, layer.dc(), 0, 0, client.right,
                 client.bottom, kTransparentKey);
  NoteFace(control, 0, {});
  canvas.CopyTo(dc);
}

LRESULT CALLBACK CommonControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlPlace place;
  auto* skin = RecordOf<CommonControlSkin>(window, kListCommonControls, &place, kKjKeys);
  if (!skin) return CallPrevious(window, message, wParam, lParam, prop::Kj_hProc);
  switch (message) {
    case WM_NCDESTROY:
      return DetachOnNcDestroy(window, wParam, lParam, kListCommonControls, kKjKeys);
    case WM_PAINT: {
      RECT update{};
      if (!GetUpdateRect(window, &update, FALSE)) return 0;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      PaintCommonControl(window, dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_NCPAINT:
      return 0;
    case WM_MOUSEMOVE:
      if (skin->tracking == 0) {
        TrackLeave(window, skin->tracking);
        InvalidateRect(window, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      skin->tracking = 0;
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL: {
      // The control may paint straight onto the screen here; the skin's look goes back on top.
      const LRESULT result = CallPrevious(window, message, wParam, lParam, prop::Kj_hProc);
      if (IsWindow(window)) InvalidateRect(window, nullptr, FALSE);
      return result;
    }
  }
  return CallPrevious(window, message, wParam, lParam, prop::Kj_hProc);
}

}  // namespace skin::controls
