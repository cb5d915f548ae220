// The frame's colouring of its child controls: WM_CTLCOLOR* brushes over the window picture,
// and the repaints some notifications need.
#include <algorithm>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/path_routines.h"
#include "skin/control_backdrop.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"

namespace skin {
namespace {

bool IsClass(HWND window, const char* name) {
  char cls[32] = {};
  GetClassNameA(window, cls, sizeof(cls));
  return lstrcmpiA(cls, name) == 0;
}

ControlColourObjects& ObjectsOf(WindowSkinRecord& record, HWND control) {
  for (ControlColourObjects& objects : record.colouredControls) {
    if (objects.control == control) return objects;
  }
  record.colouredControls.push_back({control, nullptr, nullptr});
  return record.colouredControls.back();
}

// Deletes what the control's properties hold (and what the record remembers with them).
void DeleteControlObjects(WindowSkinRecord& record, HWND control, bool bitmapToo) {
  ControlColourObjects& objects = ObjectsOf(record, control);
  HGDIOBJ brush = prop::GetAs<HGDIOBJ>(control, prop::Kj_dxjb);
  DeleteGdiObject(brush);
  if (objects.brush != brush) DeleteGdiObject(objects.brush);
  objects.brush = nullptr;
  prop::Set(control, prop::Kj_dxjb, 0);
  if (!bitmapToo) return;
  HGDIOBJ bitmap = prop::GetAs<HGDIOBJ>(control, prop::Kj_wtjb);
  DeleteGdiObject(bitmap);
  if (objects.bitmap != bitmap) DeleteGdiObject(objects.bitmap);
  objects.bitmap = nullptr;
  prop::Set(control, prop::Kj_wtjb, 0);
}

// The part of the control's window rectangle that its client area covers, in the coordinates
// the backdrop takes.
RECT ClientPartOfWindow(HWND control) {
  RECT window{};
  GetWindowRect(control, &window);
  POINT origin{0, 0};
  ClientToScreen(control, &origin);
  RECT client{};
  GetClientRect(control, &client);
  const LONG x = origin.x - window.left;
  const LONG y = origin.y - window.top;
  return RECT{x, y, x + client.right, y + client.bottom};
}

// A bitmap compatible with the control's DC holding its backdrop washed with white at
// highlightAlpha.
HBITMAP WashedBackdrop(HWND control, HDC controlDc) {
  const RECT part = ClientPartOfWindow(control);
  const int32_t w = std::max<LONG>(part.right - part.left, 1);
  const int32_t h = std::max<LONG>(part.bottom - part.top, 1);
  HDC backdrop = ControlBackdrop(control, part);
  if (!backdrop) return nullptr;
  if (highlightAlpha > 0) {
    graphics::GfxGraphics g;
    graphics::GfxSolidBrush white;
    if (g.FromHdc(backdrop) && white.Create(graphics::ArgbFromColorref(0xFFFFFF, highlightAlpha))) {
      g.FillRectangle(white, 0, 0, static_cast<float>(w), static_cast<float>(h));
    }
  }
  HBITMAP bitmap = TallyBitmap(CreateCompatibleBitmap(controlDc, w, h));
  if (bitmap) {
    MemoryDc copy;
    if (copy.EnsureDc()) {
      HGDIOBJ old = SelectObject(copy.dc(), bitmap);
      BitBlt(copy.dc(), 0, 0, w, h, backdrop, 0, 0, SRCCOPY);
      SelectObject(copy.dc(), old);
    }
  }
  ReleaseControlBackdrop(backdrop);
  return bitmap;
}

}  // namespace

bool SkinEngine::OnControlColour(int32_t index, UINT message, HDC dc, HWND control,
                                 LRESULT* result) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record || !control) return false;
  const bool switchesOn = controlColouring != 0 && highlightEnabled != 0;
  switch (message) {
    case WM_CTLCOLOREDIT:
      if (IsClass(GetParent(control), "ComboBox")) return false;
      [[fallthrough]];
    case WM_CTLCOLORSTATIC: {
      if (!switchesOn) return false;
      SetTextColor(dc, static_cast<COLORREF>(prop::Get(control, prop::Kj_Ztys)));
      SetBkMode(dc, TRANSPARENT);
      DeleteControlObjects(*record, control, true);
      HBITMAP bitmap = WashedBackdrop(control, dc);
      HBRUSH brush = bitmap ? TallyBrush(CreatePatternBrush(bitmap)) : nullptr;
      prop::Set(control, prop::Kj_dxjb, reinterpret_cast<intptr_t>(brush));
      prop::Set(control, prop::Kj_wtjb, reinterpret_cast<intptr_t>(bitmap));
      ControlColourObjects& objects = ObjectsOf(*record, control);
      objects.brush = brush;
      objects.bitmap = bitmap;
      *result = reinterpret_cast<LRESULT>(brush);
      return brush != nullptr;
    }
    case WM_CTLCOLORLISTBOX:
      if (!IsClass(control, "ListBox")) return false;
      if (GetWindowLongA(control, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) {
        return false;
      }
      [[fallthrough]];
    case WM_CTLCOLORBTN: {
      if (!switchesOn) return false;
      SetTextColor(dc, static_cast<COLORREF>(prop::Get(control, prop::Kj_Ztys)));
      SetBkMode(dc, TRANSPARENT);
      DeleteControlObjects(*record, control, false);
      HGDIOBJ none = GetStockObject(NULL_BRUSH);
      prop::Set(control, prop::Kj_dxjb, reinterpret_cast<intptr_t>(none));
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
  if (IsClass(control, "Edit")) {
    repaint = code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE || code == EN_UPDATE;
  } else if (IsClass(control, "ListBox")) {
    repaint = code == LBN_SELCHANGE || code == LBN_SELCANCEL;
  } else if (IsClass(control, "ComboBox")) {
    repaint = code == CBN_KILLFOCUS || code == CBN_SELCHANGE;
  }
  if (repaint) InvalidateRect(control, nullptr, TRUE);
}

}  // namespace skin
