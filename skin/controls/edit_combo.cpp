#include "skin/controls/edit_combo.h"

#include <string>

#include "embedded/resources.h"
#include "graphics/gfx_brush.h"
#include "graphics/gfx_image.h"
#include "graphics/gfx_path.h"
#include "graphics/gfx_pen.h"
#include "graphics/path_routines.h"
#include "skin/control_backdrop.h"
#include "skin/control_brush.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/family.h"
#include "skin/property_keys.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

using graphics::ArgbFromColorref;
using graphics::GfxGraphics;
using graphics::GfxPath;

constexpr graphics::Argb kMagenta = 0xFFFF00FF;

bool HasScrollBar(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0;
}

bool WashOn() { return highlightEnabled != 0; }

// The visible scroll bars' rectangles in screen coordinates, as one region.
HRGN ScrollBarRegion(HWND window) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (const LONG id : {OBJID_VSCROLL, OBJID_HSCROLL}) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    if (!GetScrollBarInfo(window, id, &info)) continue;
    if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) continue;
    HRGN bar = CreateRectRgnIndirect(&info.rcScrollBar);
    CombineRgn(region, region, bar, RGN_OR);
    DeleteObject(bar);
  }
  return region;
}

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

std::string SelectedItemText(HWND combo) {
  const auto selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (selected < 0) return {};
  const auto length = SendMessageA(combo, CB_GETLBTEXTLEN, selected, 0);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const auto copied =
      SendMessageA(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

void Invalidate(HWND window) { InvalidateRect(window, nullptr, TRUE); }

void AttachEdit(int32_t windowIndex, HWND edit) {
  WindowSkinRecord* record = RecordAt(windowIndex);
  if (!record || SlotOf(record->controls[kListEdits], edit) > 0) return;
  if (!AttachToSlot<EditSkin>(windowIndex, kListEdits, edit, EditSkinProc)) return;
  prop::Set(edit, prop::Kj_Ztys, 0);
  // The new frame shows at once on a control already on the screen.
  RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

void AttachCombo(int32_t windowIndex, HWND combo) {
  WindowSkinRecord* record = RecordAt(windowIndex);
  if (!record || SlotOf(record->controls[kListComboBoxes], combo) > 0) return;
  const std::string selected = SelectedItemText(combo);
  if (!selected.empty()) {
    SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(selected.c_str()));
  }
  if (!AttachToSlot<ComboSkin>(windowIndex, kListComboBoxes, combo, ComboSkinProc)) return;
  if (WashOn()) {
    if (HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr)) AttachEdit(windowIndex, edit);
  }
  Invalidate(combo);
}

void FillRing(GfxGraphics& g, float w, float h) {
  graphics::GfxSolidBrush white;
  if (white.Create(ArgbFromColorref(0xFFFFFF, WashOn() ? highlightAlpha : 255))) {
    g.FillRectangle(white, 0, 0, w, h);
  }
}

void Rectangle(GfxGraphics& g, float x, float y, float w, float h, COLORREF colour, int32_t alpha,
               float width) {
  graphics::GfxPen pen;
  if (pen.Create(ArgbFromColorref(colour, alpha), width)) g.DrawRectangle(pen, x, y, w, h);
}

// The combo's children that keep their own painting, in combo coordinates.
template <typename Each>
void ForOwnPaintedChildren(HWND combo, Each each) {
  for (const char* cls : {"Edit", "ComboLBox"}) {
    HWND child = FindWindowExA(combo, nullptr, cls, nullptr);
    if (!child || !IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    each(ToWindowCoordinates(combo, r));
  }
}

const graphics::GfxBitmap* ArrowImage(HWND combo) {
  ComboSkin* skin = ComboOf(combo);
  if (!skin) return nullptr;
  if (!skin->arrow) {
    auto decoded = std::make_shared<graphics::GfxBitmap>();
    if (!decoded->LoadFromBytes(resources::combo_arrow_png)) return nullptr;
    skin->arrow = std::move(decoded);
  }
  return skin->arrow.get();
}

void PaintDropButton(GfxGraphics& g, float w, float h, bool lit, bool hot,
                     const graphics::GfxBitmap* arrow) {
  const float x = w - kDropButtonWidth - 1;
  const COLORREF frame = lit ? accentColour : 0x000000;
  const int32_t frameAlpha = lit ? 200 : 80;
  GfxPath outer;
  if (outer.Create() && graphics::AddRoundRect(outer, x, 1, kDropButtonWidth - 1, h - 3, 3)) {
    graphics::StrokePath(g, outer, 1, frame, frameAlpha);
  }
  GfxPath inner;
  if (inner.Create() && graphics::AddRoundRect(inner, x + 1, 2, kDropButtonWidth - 3, h - 5, 2)) {
    graphics::GfxLinearBrush fill;
    const auto top = hot ? ArgbFromColorref(0xFFFFFF, 100) : ArgbFromColorref(accentColour, 30);
    const auto bottom = ArgbFromColorref(accentColour, hot ? 150 : 100);
    if (fill.Create({0, 2}, {0, h - 3}, top, bottom)) g.FillPath(fill, inner);
  }
  if (arrow) {
    const auto ax = static_cast<float>(static_cast<int32_t>(x + (kDropButtonWidth - 7) / 2.0f));
    const auto ay = static_cast<float>(static_cast<int32_t>((h - 4) / 2));
    g.DrawImageRect(*arrow, ax, ay, 7, 4);
  }
}

void DrawComboText(GfxGraphics& g, HWND combo, float w, float h) {
  CaptionStyle style;
  style.face = "宋体";
  style.size = 12;
  style.unit = graphics::kUnitPixel;
  style.alignment = 0;
  DrawCaptionText(g, combo, WindowText(combo), style, {4, 0, w - kDropButtonWidth - 6, h});
}

// The combo box's own procedure paints its text and button straight onto the screen when the
// selection, the focus or the button's state changes: the skin's face goes back on top.
LRESULT ChainThenRepaint(HWND combo, UINT message, WPARAM wParam, LPARAM lParam, int32_t index,
                         int32_t slot) {
  const LRESULT result = CallPrevious(combo, message, wParam, lParam);
  if (IsWindow(combo)) PaintCombo(index, slot);
  return result;
}

}  // namespace

ComboParts ComboPartsFor(LONG style) {
  switch (style & 0x3) {
    case CBS_DROPDOWN:
      return {true, false};
    case CBS_DROPDOWNLIST:
      return {true, (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) == 0};
    default:
      return {false, false};
  }
}

bool TakeEditHover(WindowSkinRecord& window, int32_t slot, HWND parent) {
  const bool otherParent = window.hotParent != parent;
  const bool repaint = TakeHover(window, kHoverEdit, slot) || otherParent;
  window.hotParent = parent;
  return repaint;
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
ComboSkin* ComboOf(HWND window) { return RecordOf<ComboSkin>(window, kListComboBoxes); }

void AttachEditsAndCombos(int32_t windowIndex, HWND parent) {
  if (controlColouring == 0 || !RecordAt(windowIndex)) return;
  for (HWND edit = FindWindowExA(parent, nullptr, "Edit", nullptr); edit;
       edit = FindWindowExA(parent, edit, "Edit", nullptr)) {
    AttachEdit(windowIndex, edit);
  }
  for (HWND combo = FindWindowExA(parent, nullptr, "ComboBox", nullptr); combo;
       combo = FindWindowExA(parent, combo, "ComboBox", nullptr)) {
    AttachCombo(windowIndex, combo);
  }
}

void PaintEditFrame(HWND window, std::optional<int32_t> hot, std::optional<int32_t> focused) {
  const EditSkin* edit = EditOf(window);
  if (!edit) return;
  const bool isHot = hot.value_or(edit->hot) != 0;
  const bool isFocused = focused.value_or(edit->focused) != 0;
  const RECT whole = WindowSize(window);
  const RECT inner = FramedArea(window);
  // An edit that draws its own border (WS_BORDER), or none, has no ring to paint.
  if (EqualRect(&inner, &whole)) return;
  FaceCanvas canvas(window, whole);
  if (!canvas.ok()) return;
  GfxGraphics& g = canvas.g();
  const float w = canvas.width();
  const float h = canvas.height();
  FillRing(g, w, h);
  if (isHot) {
    Rectangle(g, 1, 1, w - 2, h - 2, accentColour, 180, 2);
  } else if (isFocused) {
    Rectangle(g, 0, 0, w - 1, h - 1, accentColour, 180, 1);
  } else {
    Rectangle(g, 0, 0, w - 1, h - 1, 0x000000, 80, 1);
  }
  NoteFace(window, (isHot ? kStateHot : 0) | (isFocused ? kStateFocus : 0), {});
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
  canvas.CopyTo(dc);
  ReleaseDC(window, dc);
}

LRESULT CALLBACK EditSkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlPlace place;
  EditSkin* edit = RecordOf<EditSkin>(window, kListEdits, &place);
  if (!edit) return CallPrevious(window, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY:
      return DetachOnNcDestroy(window, wParam, lParam, kListEdits);
    case WM_DESTROY:
      ReleaseBrushesOf(*place.window, window);
      break;
    case WM_MOUSEMOVE:
      TrackLeave(window, edit->tracking);
      edit->hot = 1;
      if (TakeEditHover(*place.window, place.slot, GetParent(window))) PaintEditFrame(window, 1);
      if (edit->mouseDown != 0 && !HasScrollBar(window)) Invalidate(window);
      break;
    case WM_MOUSELEAVE:
      edit->tracking = 0;
      edit->hot = 0;
      DropHover(*place.window);
      PaintEditFrame(window, 0, edit->focused);
      break;
    case WM_MOVE:
      if (WashOn()) Invalidate(window);
      break;
    case WM_ERASEBKGND:
      if (WashOn()) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        RECT client{};
        GetClientRect(window, &client);
        RECT part = client;
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&part), 2);
        part = ToWindowCoordinates(window, part);
        // The same washed picture the edit's brush shows, so erased and painted parts agree.
        FaceCanvas canvas(window, part);
        if (canvas.ok()) {
          graphics::GfxSolidBrush white;
          if (white.Create(ArgbFromColorref(0xFFFFFF, highlightAlpha))) {
            canvas.g().FillRectangle(white, 0, 0, canvas.width(), canvas.height());
          }
          canvas.g().Delete();
          BitBlt(dc, 0, 0, client.right, client.bottom, canvas.dc(), 0, 0, SRCCOPY);
        }
        return 1;
      }
      break;
    case WM_PAINT:
      PaintEditFrame(window);
      break;
    case WM_SETFOCUS:
      edit->focused = 1;
      break;
    case WM_KILLFOCUS:
      edit->focused = 0;
      if (IsWindowClass(GetParent(window), "ComboBox")) {
        PaintEditFrame(window, std::nullopt, 0);
      } else {
        Invalidate(window);
      }
      break;
    case WM_NCPAINT: {
      // The system's part first (only the scroll bars when there are some), then the frame, so
      // that nothing the system draws can cover it.
      LRESULT result = 0;
      if (HasScrollBar(window)) {
        HRGN bars = ScrollBarRegion(window);
        result = DefWindowProcA(window, WM_NCPAINT, reinterpret_cast<WPARAM>(bars), lParam);
        DeleteObject(bars);
      } else {
        result = DefWindowProcA(window, WM_NCPAINT, 0xFFFFFFFF, lParam);
      }
      PaintEditFrame(window);
      return result;
    }
    case WM_KEYDOWN:
      if (WashOn() && !HasScrollBar(window)) Invalidate(window);
      break;
    case WM_LBUTTONDOWN:
      edit->mouseDown = 1;
      if (WashOn() && !HasScrollBar(window)) Invalidate(window);
      break;
    case WM_LBUTTONUP:
      edit->mouseDown = 0;
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (WashOn()) Invalidate(window);
      break;
  }
  return CallPrevious(window, message, wParam, lParam);
}

void PaintComboOn(HWND combo, HDC target, bool hot, bool focused) {
  const RECT whole = WindowSize(combo);
  FaceCanvas canvas(combo, whole);
  if (!canvas.ok()) return;
  GfxGraphics& g = canvas.g();
  const float w = canvas.width();
  const float h = canvas.height();
  FillRing(g, w, h);
  // What the children paint themselves stays theirs: keyed out, and nothing drawn over it.
  ForOwnPaintedChildren(combo, [&](const RECT& r) {
    const auto x = static_cast<float>(r.left);
    const auto y = static_cast<float>(r.top);
    const auto cw = static_cast<float>(r.right - r.left);
    const auto ch = static_cast<float>(r.bottom - r.top);
    g.SetClipRect(x, y, cw, ch);
    g.Clear(kMagenta);
    g.ResetClip();
  });
  ForOwnPaintedChildren(combo, [&](const RECT& r) {
    g.SetClipRect(static_cast<float>(r.left), static_cast<float>(r.top),
                  static_cast<float>(r.right - r.left), static_cast<float>(r.bottom - r.top),
                  graphics::kCombineExclude);
  });
  const bool lit = hot || focused;
  Rectangle(g, 0, 0, w - 1, h - 1, lit ? accentColour : 0x000000, lit ? 200 : 80, 1);
  const ComboParts parts = ComboPartsFor(GetWindowLongA(combo, GWL_STYLE));
  if (parts.dropButton) PaintDropButton(g, w, h, lit, hot, ArrowImage(combo));
  if (parts.text) DrawComboText(g, combo, w, h);
  NoteFace(combo, (hot ? kStateHot : 0) | (focused ? kStateFocus : 0), {});
  g.Delete();
  TransparentBlt(target, 0, 0, canvas.widthPx(), canvas.heightPx(), canvas.dc(), 0, 0,
                 canvas.widthPx(), canvas.heightPx(), 0xFF00FF);
}

void PaintCombo(int32_t windowIndex, int32_t comboIndex, std::optional<int32_t> hot,
                std::optional<int32_t> focused) {
  WindowSkinRecord* record = RecordAt(windowIndex);
  if (!record) return;
  const ComboSkin* combo = RecordInSlot<ComboSkin>(record->controls[kListComboBoxes], comboIndex);
  if (!combo || !combo->window) return;
  HDC dc = GetWindowDC(combo->window);
  if (!dc) return;
  PaintComboOn(combo->window, dc, hot.value_or(combo->hot) != 0,
               focused.value_or(combo->focused) != 0);
  ReleaseDC(combo->window, dc);
}

LRESULT CALLBACK ComboSkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlPlace place;
  ComboSkin* combo = RecordOf<ComboSkin>(window, kListComboBoxes, &place);
  if (!combo) return CallPrevious(window, message, wParam, lParam);
  const int32_t index = place.windowIndex;
  const int32_t slot = place.slot;
  switch (message) {
    case WM_NCDESTROY:
      return DetachOnNcDestroy(window, wParam, lParam, kListComboBoxes);
    case WM_MOUSEMOVE:
      TrackLeave(window, combo->tracking);
      if (TakeHover(*place.window, kHoverCombo, slot)) {
        combo->hot = 1;
        PaintCombo(index, slot, 1);
      }
      break;
    case WM_MOUSELEAVE:
      combo->tracking = 0;
      combo->hot = 0;
      PaintCombo(index, slot, 0);
      DropHover(*place.window);
      break;
    case WM_MOVE:
      PaintCombo(index, slot);
      break;
    case WM_ERASEBKGND:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      PaintCombo(index, slot);
      EndPaint(window, &ps);
      return DefWindowProcA(window, message, wParam, lParam);
    }
    case WM_SETFOCUS:
      combo->focused = 1;
      PaintCombo(index, slot, std::nullopt, 1);
      return ChainThenRepaint(window, message, wParam, lParam, index, slot);
    case WM_KILLFOCUS:
      combo->focused = 0;
      return ChainThenRepaint(window, message, wParam, lParam, index, slot);
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
    case CB_SETCURSEL:
      return ChainThenRepaint(window, message, wParam, lParam, index, slot);
    case WM_SETTEXT:
      if (HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr)) Invalidate(edit);
      break;
    case WM_CTLCOLOREDIT:
      if (WashOn()) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        HWND edit = reinterpret_cast<HWND>(lParam);
        SetTextColor(dc, static_cast<COLORREF>(prop::Get(edit, prop::Kj_Ztys)));
        SetBkMode(dc, TRANSPARENT);
        // Washed like the face around it.
        if (HBRUSH brush = BackdropBrushFor(*place.window, edit, dc, highlightAlpha)) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_COMMAND:
      if (WashOn() && controlColouring != 0 && lParam != 0 &&
          reinterpret_cast<HWND>(lParam) == FindWindowExA(window, nullptr, "Edit", nullptr)) {
        const UINT code = HIWORD(wParam);
        if (code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE) {
          Invalidate(reinterpret_cast<HWND>(lParam));
        }
      }
      return ChainThenRepaint(window, message, wParam, lParam, index, slot);
  }
  return CallPrevious(window, message, wParam, lParam);
}

}  // namespace skin::controls
