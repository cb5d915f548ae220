#include "skin/controls/edit_skin.h"

#include "graphics/gfx_brush.h"
#include "graphics/gfx_pen.h"
#include "graphics/path_routines.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/focus_cues.h"
#include "skin/controls/list_helpers.h"
#include "skin/controls/skinned_control.h"
#include "skin/gdi/gdi_scoped.h"
#include "skin/property_keys.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

using graphics::ArgbFromColorref;

void Invalidate(HWND window) { InvalidateRect(window, nullptr, TRUE); }

// The frame onto a DC holding the edit's window area, the client part left alone.
void DrawEditFrame(HWND window, HDC dc, bool hot, bool focused) {
  const COLORREF accentColour = SettingsOf(window).accentColour;
  const RECT whole = WindowSize(window);
  const RECT inner = FramedArea(window);
  // An edit that draws its own border (WS_BORDER), or none, has no ring to paint.
  if (EqualRect(&inner, &whole) || !dc) return;
  FaceCanvas canvas(window, whole);
  if (!canvas.ok()) return;
  graphics::GfxGraphics& g = canvas.g();
  const float w = canvas.width();
  const float h = canvas.height();
  FillRing(g, w, h, SettingsOf(window));
  if (focused && FocusCueShown(window)) {
    const CueStroke s = FrameCueStroke(canvas.widthPx(), canvas.heightPx());
    StrokeRectangle(g, s.x, s.y, s.width, s.height, accentColour, s.alpha, s.pen);
  } else if (hot) {
    StrokeRectangle(g, 1, 1, w - 2, h - 2, accentColour, 180, 2);
  } else if (focused) {
    StrokeRectangle(g, 0, 0, w - 1, h - 1, accentColour, 180, 1);
  } else {
    StrokeRectangle(g, 0, 0, w - 1, h - 1, 0x000000, 80, 1);
  }
  NoteFace(window, (hot ? kStateHot : 0) | (focused ? kStateFocus : 0), {});
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
  canvas.CopyTo(dc);
  RestoreDC(dc, saved);
}

void PaintFace(ControlRecord& record, HDC dc) {
  const auto& edit = static_cast<EditSkin&>(record);
  DrawEditFrame(edit.window, dc, edit.hot, edit.focused);
}

// The same washed picture the edit's brush shows, so erased and painted parts agree.
LRESULT EraseWashed(HWND window, HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  RECT client{};
  GetClientRect(window, &client);
  RECT part = client;
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&part), 2);
  part = ToWindowCoordinates(window, part);
  FaceCanvas canvas(window, part);
  if (canvas.ok()) {
    graphics::GfxSolidBrush white;
    if (white.Create(ArgbFromColorref(0xFFFFFF, SettingsOf(window).highlightAlpha))) {
      canvas.g().FillRectangle(white, 0, 0, canvas.width(), canvas.height());
    }
    canvas.g().Delete();
    BitBlt(dc, 0, 0, client.right, client.bottom, canvas.dc(), 0, 0, SRCCOPY);
  }
  return 1;
}

// The system's part first (only the scroll bars when there are some), then the frame, so that
// nothing the system draws can cover it.
LRESULT PaintNonClient(ControlRecord& record, LPARAM lParam) {
  const LRESULT result = PaintScrollBarsOnly(record.window, lParam);
  RepaintNow(record);
  return result;
}

bool Handle(SkinnedMessage& m, LRESULT* result) {
  HWND window = m.window;
  auto& edit = m.As<EditSkin>();
  switch (m.message) {
    case WM_MOUSEMOVE:
      RunHoverRows(m);
      if (edit.mouseDown != 0 && !HasScrollBar(window)) Invalidate(window);
      *result = m.Chain();
      return true;
    case WM_MOVE:
      if (WashOn(window)) Invalidate(window);
      break;
    case WM_ERASEBKGND:
      if (!WashOn(window)) break;
      *result = EraseWashed(window, reinterpret_cast<HDC>(m.wParam));
      return true;
    case WM_PAINT:
      RepaintNow(edit);
      break;
    case WM_SETFOCUS:
      edit.focused = true;
      if (FocusCueShown(window)) Invalidate(window);  // the frame takes the cue
      break;
    case WM_KILLFOCUS:
      edit.focused = false;
      if (IsClassName(GetParent(window), L"ComboBox")) {
        RepaintNow(edit);
      } else {
        Invalidate(window);
      }
      break;
    case WM_NCPAINT:
      *result = PaintNonClient(edit, m.lParam);
      return true;
    case WM_KEYDOWN:
      if (WashOn(window) && !HasScrollBar(window)) Invalidate(window);
      break;
    case WM_LBUTTONDOWN:
      edit.mouseDown = 1;
      if (WashOn(window) && !HasScrollBar(window)) Invalidate(window);
      break;
    case WM_LBUTTONUP:
      edit.mouseDown = 0;
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (WashOn(window)) Invalidate(window);
      break;
  }
  return false;
}

constexpr KindOps kEditOps{kListEdits, kHwKeys, kHoverEdit, FaceKind::kOwn,
                           PaintFace,  nullptr, nullptr,    Handle};

}  // namespace

bool WashOn(HWND window) { return SettingsOf(window).highlightEnabled != 0; }

RECT WindowSize(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return RECT{0, 0, r.right - r.left, r.bottom - r.top};
}

RECT ToWindowCoordinates(HWND window, RECT screen) {
  RECT w{};
  GetWindowRect(window, &w);
  OffsetRect(&screen, -w.left, -w.top);
  return screen;
}

void FillRing(graphics::GfxGraphics& g, float w, float h, const SkinSettings& settings) {
  graphics::GfxSolidBrush white;
  if (white.Create(ArgbFromColorref(
          0xFFFFFF, settings.highlightEnabled != 0 ? settings.highlightAlpha : 255))) {
    g.FillRectangle(white, 0, 0, w, h);
  }
}

void StrokeRectangle(graphics::GfxGraphics& g, float x, float y, float w, float h, COLORREF colour,
                     int32_t alpha, float width) {
  graphics::GfxPen pen;
  if (pen.Create(ArgbFromColorref(colour, alpha), width)) g.DrawRectangle(pen, x, y, w, h);
}

bool TakeEditHover(WindowSkinRecord& window, int32_t slot, HWND parent) {
  return TakeHover(window, kHoverEdit, slot, parent);
}

RECT FramedArea(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT area = ToWindowCoordinates(window, client);
  for (const LONG id : {OBJID_VSCROLL, OBJID_HSCROLL}) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    if (!GetScrollBarInfo(window, id, &info)) continue;
    if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) continue;
    const RECT bar = ToWindowCoordinates(window, info.rcScrollBar);
    UnionRect(&area, &area, &bar);
  }
  return area;
}

EditSkin* EditOf(HWND window) { return RecordOf<EditSkin>(window, kListEdits); }

void AttachEdit(WindowSkinRecord* ownerRecord, HWND edit) {
  if (!AttachKind<&kEditOps, EditSkin>(ownerRecord, edit)) return;
  prop::Set(edit, prop::Kj_Ztys, 0);
  // The new frame shows at once on a control already on the screen.
  RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

void PaintEditFrame(HWND window, std::optional<int32_t> hot, std::optional<int32_t> focused) {
  const EditSkin* edit = EditOf(window);
  if (!edit) return;
  WindowDc dc(window);
  DrawEditFrame(window, dc, hot.value_or(edit->hot) != 0, focused.value_or(edit->focused) != 0);
}

}  // namespace skin::controls
