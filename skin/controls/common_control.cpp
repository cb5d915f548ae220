#include "skin/controls/common_control.h"

#include <commctrl.h>

#include "skin/controls/face_canvas.h"
#include "skin/controls/panel.h"
#include "skin/controls/skinned_control.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/gdi/gdi_scoped.h"

namespace skin::controls {
namespace {

struct CommonControlSkin : ControlRecord {};

void PaintFace(ControlRecord& record, HDC dc) { PaintCommonControl(record.window, dc); }

bool Handle(SkinnedMessage& m, LRESULT* result) {
  switch (m.message) {
    case WM_PAINT: {
      RECT update{};
      if (GetUpdateRect(m.window, &update, FALSE)) return false;
      *result = 0;
      return true;
    }
    case WM_MOUSEMOVE:
      if (!m.record->tracking) {
        TrackLeave(m.window, m.record->tracking);
        InvalidateRect(m.window, nullptr, FALSE);
      }
      return false;
    case WM_MOUSELEAVE:
      m.record->tracking = false;
      InvalidateRect(m.window, nullptr, FALSE);
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
      // The control may paint straight onto the screen here; the skin's look goes back on top.
      *result = m.Chain();
      if (IsWindow(m.window)) InvalidateRect(m.window, nullptr, FALSE);
      return true;
  }
  return false;
}

constexpr KindOps kCommonOps{kListCommonControls, kKjKeys, kHoverNone, FaceKind::kClient,
                             PaintFace,           nullptr, nullptr,    Handle};

}  // namespace

void AttachCommonControl(WindowSkinRecord* ownerRecord, HWND control) {
  WindowSkinRecord* record = ownerRecord;
  if (!record || !control) return;
  // A control another skin holds keeps that skin: a second one over it would chain to itself.
  if (!AttachKind<&kCommonOps, CommonControlSkin>(ownerRecord, control)) return;
  if (IsWindowClass(control, STATUSCLASSNAMEW))
    SendMessageW(control, SB_SETBKCOLOR, 0, kTransparentKey);
  // A panel that does not paint itself: the control draws its own face, and the panel part
  // skins its children and answers their colour and owner-draw messages.
  AttachPanel(ownerRecord, control, 0, std::nullopt, std::nullopt, std::nullopt);
  InvalidateRect(control, nullptr, TRUE);
}

void PaintCommonControl(HWND control, HDC dc) {
  RECT client{};
  GetClientRect(control, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  MemoryDc layer;
  if (!layer.EnsureDc() || !layer.SelectNewDib(client.right, client.bottom)) return;
  ScopedBrush key(CreateSolidBrush(kTransparentKey));
  FillRect(layer.dc(), &client, key);
  CallPrevious(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(layer.dc()), PRF_CLIENT);
  FaceCanvas canvas(control, client);
  if (!canvas.ok()) return;
  canvas.g().Delete();  // only GDI draws here
  TransparentBlt(canvas.dc(), 0, 0, client.right, client.bottom, layer.dc(), 0, 0, client.right,
                 client.bottom, kTransparentKey);
  NoteFace(control, 0, {});
  canvas.CopyTo(dc);
}

}  // namespace skin::controls
