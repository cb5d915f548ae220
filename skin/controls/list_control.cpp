#include "skin/controls/list_control.h"

#include <commctrl.h>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_pen.h"
#include "graphics/path_routines.h"
#include "skin/backdrop/control_backdrop.h"
#include "skin/caption/caption_ink.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/focus_cues.h"
#include "skin/controls/list_helpers.h"
#include "skin/controls/skinned_control.h"
#include "skin/gdi/gdi_scoped.h"
#include "skin/property_keys.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

constexpr COLORREF kMagenta = 0xFF00FF;
constexpr UINT kListViewSetTextBack = 0x1026;  // LVM_SETTEXTBKCOLOR
constexpr UINT kTreeViewSetBack = 0x111D;      // TVM_SETBKCOLOR
constexpr LONG kListViewSkipped = 0x10;
constexpr LONG kComboListOwnerDrawn = 0x10;

template <typename Each>
void ForEachChild(HWND parent, const wchar_t* cls, Each each) {
  for (HWND child = FindWindowExW(parent, nullptr, cls, nullptr); child;
       child = FindWindowExW(parent, child, cls, nullptr)) {
    each(child);
  }
}

void AttachOne(WindowSkinRecord* ownerRecord, HWND control);

void AttachOneKind(HWND control, ListSkin* skin) {
  if (!skin) return;
  skin->focused = GetFocus() == control;
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

bool IsItemList(HWND window) {
  return IsClassName(window, L"SysTreeView32") || IsClassName(window, L"SysListView32") ||
         (IsClassName(window, L"ListBox") && !IsOwnerDrawListBox(window));
}

LRESULT EraseBackground(HWND window, HDC dc, WPARAM wParam, LPARAM lParam) {
  if (SettingsOf(window).highlightEnabled == 0)
    return CallPrevious(window, WM_ERASEBKGND, wParam, lParam);
  if (IsItemList(window)) {
    SetBkMode(dc, TRANSPARENT);
    return 1;  // WM_PAINT lays the background
  }
  if (IsOwnerDrawListBox(window) || IsClassName(window, L"ComboLBox")) {
    return CallPrevious(window, WM_ERASEBKGND, wParam, lParam);
  }
  SetBkMode(dc, TRANSPARENT);
  if (HDC background = ListBackgroundDC(window)) {
    const RECT client = ClientInWindow(window);
    BitBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, background,
           client.left, client.top, SRCCOPY);
    ReleaseControlBackdrop(window, background);
  }
  return static_cast<LRESULT>(
      SetTextColor(dc, static_cast<COLORREF>(prop::Get(window, prop::Kj_Ztys))));
}

// A 32-bit surface whose pixels are read and written directly.
struct PixelSurface {
  MemoryDc dc;
  uint32_t* bits = nullptr;
  bool Make(int32_t w, int32_t h, COLORREF fill) {
    if (!dc.Select(MakeDib32(w, h, &bits), w, h) || !bits) return false;
    const RECT all{0, 0, w, h};
    SetBkColor(dc.dc(), fill);  // the list draws its unselected items on this colour
    ExtTextOutW(dc.dc(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    return true;
  }
};

// The system draws list box and tree items on opaque rectangles of a background colour. Drawn
// once on black and once on white, the items are laid over the washed picture with their
// anti-aliased edges, instead of on white or on a colour key. before() gives the control the
// colour it is about to be painted on, when it does not take it from the DC.
void LayItems(HWND window, HDC background, const RECT& place,
              void (*before)(HWND, COLORREF) = nullptr) {
  const int32_t cw = place.right - place.left;
  const int32_t ch = place.bottom - place.top;
  PixelSurface black, white, out;
  if (cw <= 0 || ch <= 0 || !black.Make(cw, ch, 0) || !white.Make(cw, ch, 0xFFFFFF) ||
      !out.Make(cw, ch, 0)) {
    return;
  }
  if (before) before(window, 0);
  CallPrevious(window, WM_PAINT, reinterpret_cast<WPARAM>(black.dc.dc()), 0);
  if (before) before(window, 0xFFFFFF);
  CallPrevious(window, WM_PAINT, reinterpret_cast<WPARAM>(white.dc.dc()), 0);
  BitBlt(out.dc.dc(), 0, 0, cw, ch, background, place.left, place.top, SRCCOPY);
  GdiFlush();
  LayOverBackground(black.bits, white.bits, out.bits, static_cast<size_t>(cw) * ch);
  BitBlt(background, place.left, place.top, cw, ch, out.dc.dc(), 0, 0, SRCCOPY);
}

void SetTreeBackground(HWND tree, COLORREF colour) {
  SendMessageW(tree, kTreeViewSetBack, 0, static_cast<LPARAM>(colour));
}

LRESULT PaintTree(HWND window) {
  const RECT place = ClientInWindow(window);
  if (HDC background = ListBackgroundDC(window)) {
    LayItems(window, background, place, SetTreeBackground);
    SetTreeBackground(window, kMagenta);  // as attaching left it, for anyone who reads it
    ChildFreeWindowDc screen = ChildExcludedDC(window);
    BitBlt(screen.dc(), 0, 0, place.right - place.left, place.bottom - place.top, background,
           place.left, place.top, SRCCOPY);
    ReleaseControlBackdrop(window, background);
  }
  // Validates the window, the invalidation the colour changes made included.
  return DefWindowProcW(window, WM_PAINT, 0, 0);
}

// The keyboard focus cue along the client area's edge: a thin frame has no room for it.
void DrawClientCue(HDC background, const RECT& place, COLORREF accentColour) {
  graphics::GfxGraphics g;
  graphics::GfxPen pen;
  const CueStroke s = FrameCueStroke(place.right - place.left, place.bottom - place.top);
  if (g.FromHdc(background) &&
      pen.Create(graphics::ArgbFromColorref(accentColour, s.alpha), s.pen)) {
    g.DrawRectangle(pen, static_cast<float>(place.left) + s.x, static_cast<float>(place.top) + s.y,
                    s.width, s.height);
  }
}

// List boxes and list views: the items over the washed picture, composed off-screen.
LRESULT PaintItems(HWND window) {
  HDC background = ListBackgroundDC(window);
  if (!background) return CallPrevious(window, WM_PAINT, 0, 0);
  const RECT place = ClientInWindow(window);
  const int32_t cw = place.right - place.left;
  const int32_t ch = place.bottom - place.top;
  if (ListSkin* skin = ListSkinOf(window)) {
    // Before the items are drawn: the parent gives them this colour for WM_CTLCOLORLISTBOX.
    skin->ink = ReadableTextColour(background, place,
                                   static_cast<COLORREF>(prop::Get(window, prop::Kj_Ztys)));
  }
  {
    PaintDc paint(window);
    if (IsClassName(window, L"ListBox")) {
      LayItems(window, background, place);
    } else {
      // Transparent text since attaching: the view draws straight onto the wash.
      POINT old{};
      SetViewportOrgEx(background, place.left, place.top, &old);
      CallPrevious(window, WM_PAINT, reinterpret_cast<WPARAM>(background), 0);
      SetViewportOrgEx(background, old.x, old.y, nullptr);
    }
    const ListSkin* skin = ListSkinOf(window);
    if (skin && skin->focused && FocusCueShown(window))
      DrawClientCue(background, place, SettingsOf(window).accentColour);
    BitBlt(paint, 0, 0, cw, ch, background, place.left, place.top, SRCCOPY);
  }
  ReleaseControlBackdrop(window, background);
  InvalidateVisibleChildren(window);
  return DefWindowProcW(window, WM_PAINT, 0, 0);
}

bool MovesSelection(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case LB_SETCURSEL:  // the player's loop moves its list's selection this way
      return true;
    case WM_MOUSEMOVE:
      return (wParam & MK_LBUTTON) != 0;
  }
  return false;
}

// A list box repaints the items whose selection changes straight onto the screen, opaque on
// its own background colour. Its drawing is held back while it moves the selection, and the
// rows are composed again off-screen, over the wash or the picture a panel shows through it.
LRESULT ChainAndRewash(SkinnedMessage& m) {
  HWND window = m.window;
  const LRESULT caret = SendMessageW(window, LB_GETCARETINDEX, 0, 0);
  const LRESULT selected = SendMessageW(window, LB_GETCURSEL, 0, 0);
  const bool visible = IsWindowVisible(window) != FALSE;
  if (visible) SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  const LRESULT result = m.Chain();
  if (!IsWindow(window)) return result;
  if (visible) SendMessageW(window, WM_SETREDRAW, TRUE, 0);
  if (SendMessageW(window, LB_GETCARETINDEX, 0, 0) != caret ||
      SendMessageW(window, LB_GETCURSEL, 0, 0) != selected) {
    InvalidateRect(window, nullptr, TRUE);
  }
  return result;
}

LRESULT PaintNonClient(HWND window, ControlRecord& record, LPARAM lParam) {
  RepaintNow(record);
  return PaintScrollBarsOnly(window, lParam);
}

void PaintFrameFace(ControlRecord& record, HDC dc) {
  const auto& skin = static_cast<ListSkin&>(record);
  DrawListFrame(skin.window, dc, skin.hot, skin.focused);
}

bool Handle(SkinnedMessage& m, LRESULT* result) {
  HWND window = m.window;
  auto& skin = m.As<ListSkin>();
  switch (m.message) {
    case WM_MOVE:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
      // The wash is laid again under whatever moved.
      if (SettingsOf(window).highlightEnabled != 0) InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_ERASEBKGND:
      *result = EraseBackground(window, reinterpret_cast<HDC>(m.wParam), m.wParam, m.lParam);
      return true;
    case WM_PAINT:
      RepaintNow(skin);
      if (SettingsOf(window).highlightEnabled != 0 && m.wParam == 0) {
        if (IsClassName(window, L"SysTreeView32")) {
          *result = PaintTree(window);
          return true;
        }
        if (IsItemList(window)) {
          *result = PaintItems(window);
          return true;
        }
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      skin.focused = m.message == WM_SETFOCUS;
      RepaintNow(skin);
      // The client part of the cue comes and goes with the focus.
      if (SettingsOf(window).highlightEnabled != 0 && FocusCuesOn(window))
        InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_NCPAINT:
      *result = PaintNonClient(window, skin, m.lParam);
      return true;
    case WM_KEYDOWN:
      if (m.wParam >= VK_LEFT && m.wParam <= VK_DOWN) skin.keyScrolling = 1;
      break;
    case WM_KEYUP:
      ReleaseCapture();
      skin.keyScrolling = 0;
      break;
  }
  if (!MovesSelection(m.message, m.wParam) || !IsClassName(window, L"ListBox") ||
      IsOwnerDrawListBox(window)) {
    return false;
  }
  if (m.message == WM_MOUSEMOVE) RunHoverRows(m);
  *result = ChainAndRewash(m);
  return true;
}

constexpr KindOps kListOps{kListListTypes, kHwKeys, kHoverList, FaceKind::kOwn,
                           PaintFrameFace, nullptr, nullptr,    Handle};

void AttachOne(WindowSkinRecord* ownerRecord, HWND control) {
  AttachOneKind(control, AttachKind<&kListOps, ListSkin>(ownerRecord, control));
}

}  // namespace

ListFrameStroke ListFrameStrokeFor(int32_t w, int32_t h, bool hot, bool focused, bool cue) {
  const auto fw = static_cast<float>(w);
  const auto fh = static_cast<float>(h);
  if (cue) {
    const CueStroke s = FrameCueStroke(w, h);
    return {s.x, s.y, s.width, s.height, s.pen, true, s.alpha, Layer::kFocusCue};
  }
  if (hot) return {1, 1, fw - 2, fh - 2, 2, true, 200, Layer::kHotOutline};
  if (focused) return {0, 0, fw - 1, fh - 1, 1, true, 200, Layer::kFocusOutline};
  return {0, 0, fw - 1, fh - 1, 1, false, 90, Layer::kOutline};
}

ListSkin* ListSkinOf(HWND window) { return RecordOf<ListSkin>(window, kListListTypes); }

COLORREF ListTextColour(HWND list) {
  const ListSkin* skin = ListSkinOf(list);
  if (skin && skin->ink) return *skin->ink;
  return static_cast<COLORREF>(prop::Get(list, prop::Kj_Ztys));
}

void AttachListControls(WindowSkinRecord* ownerRecord, HWND parent) {
  const SkinSettings& settings = SettingsOf(parent);
  if (settings.controlColouring == 0 || !ownerRecord) return;
  auto attach = [ownerRecord](HWND control) { AttachOne(ownerRecord, control); };
  ForEachChild(parent, L"ListBox", attach);
  ForEachChild(parent, L"ComboBox", [&](HWND combo) {
    HWND list = FindWindowExW(combo, nullptr, L"ComboLBox", nullptr);
    if (list && !(GetWindowLongW(list, GWL_STYLE) & kComboListOwnerDrawn)) attach(list);
  });
  ForEachChild(parent, L"SysListView32", [&](HWND view) {
    if (GetWindowLongW(view, GWL_STYLE) & kListViewSkipped) return;
    if (settings.highlightEnabled != 0) SendMessageW(view, kListViewSetTextBack, 0, CLR_NONE);
    attach(view);
  });
  ForEachChild(parent, L"SysTreeView32", [&](HWND tree) {
    if (settings.highlightEnabled != 0) SendMessageW(tree, kTreeViewSetBack, 0, kMagenta);
    attach(tree);
  });
  ForEachChild(parent, L"SysIPAddress32", attach);
  ForEachChild(parent, L"SysDateTimePick32", attach);
}

void DrawListFrame(HWND window, HDC target, bool hot, bool focused) {
  const SkinSettings& settings = SettingsOf(window);
  const UINT state = (hot ? kStateHot : 0) | (focused ? kStateFocus : 0);
  if (IsClassName(window, L"ComboLBox") || !HasFrame(window)) {
    NoteFace(window, state, {});
    return;
  }
  RECT outer{};
  GetWindowRect(window, &outer);
  const int32_t w = outer.right - outer.left;
  const int32_t h = outer.bottom - outer.top;
  if (w <= 0 || h <= 0 || !target) return;
  const RECT inner = InnerRect(window);
  const auto ix = static_cast<float>(inner.left);
  const auto iy = static_cast<float>(inner.top);
  const auto iw = static_cast<float>(inner.right - inner.left);
  const auto ih = static_cast<float>(inner.bottom - inner.top);
  FaceCanvas canvas(window, RECT{0, 0, w, h});
  if (!canvas.ok()) return;
  graphics::GfxGraphics& g = canvas.g();
  // The ring between the window's edge and what the frame surrounds.
  g.SetClipRect(0, 0, canvas.width(), canvas.height());
  g.SetClipRect(ix, iy, iw, ih, graphics::kCombineExclude);
  if (settings.highlightEnabled != 0) {
    graphics::GfxSolidBrush wash;
    if (wash.Create(graphics::ArgbFromColorref(0xFFFFFF, settings.highlightAlpha))) {
      g.FillRectangle(wash, 0, 0, canvas.width(), canvas.height());
    }
  } else {
    g.Clear(graphics::ArgbFromColorref(0xFFFFFF));
  }
  g.SetClipRect(ix, iy, iw, ih);
  g.Clear(graphics::ArgbFromColorref(kMagenta));
  g.ResetClip();
  const ListFrameStroke stroke =
      ListFrameStrokeFor(w, h, hot, focused, focused && FocusCueShown(window));
  graphics::GfxPen pen;
  if (pen.Create(
          graphics::ArgbFromColorref(stroke.accent ? settings.accentColour : 0, stroke.alpha),
          stroke.pen)) {
    g.DrawRectangle(pen, stroke.x, stroke.y, stroke.width, stroke.height);
  }
  g.Delete();  // everything drawn is in the bitmap before it is laid
  NoteFace(window, state, {stroke.layer});
  const int saved = SaveDC(target);
  ExcludeClipRect(target, inner.left, inner.top, inner.right, inner.bottom);
  TransparentBlt(target, 0, 0, w, h, canvas.dc(), 0, 0, w, h, kMagenta);
  RestoreDC(target, saved);
}

void PaintListFrame(HWND list) { RepaintNow(list, kListOps); }

}  // namespace skin::controls
