#include "skin/controls/list_helpers.h"

#include <algorithm>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/path_routines.h"
#include "skin/backdrop/control_backdrop.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

// The bar's rectangle in screen coordinates when it is shown.
bool VisibleBar(HWND window, LONG which, RECT* bar) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!GetScrollBarInfo(window, which, &info)) return false;
  if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) return false;
  if (IsRectEmpty(&info.rcScrollBar)) return false;
  *bar = info.rcScrollBar;
  return true;
}

RECT WindowOrigin(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

}  // namespace

bool HasScrollBarStyle(LONG style) { return (style & (WS_VSCROLL | WS_HSCROLL)) != 0; }

bool HasFrameStyle(LONG style, LONG exStyle) {
  if (style & WS_BORDER) return true;
  if (exStyle & (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME)) return true;
  return (exStyle & 0x188) == 0x188;
}

bool IsOwnerDrawListStyle(LONG style) {
  return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

void LayOverBackground(const uint32_t* onBlack, const uint32_t* onWhite, uint32_t* background,
                       size_t count) {
  for (size_t i = 0; i < count; ++i) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const int b = static_cast<int>((onBlack[i] >> shift) & 0xFF);
      const int w = static_cast<int>((onWhite[i] >> shift) & 0xFF);
      const int under = static_cast<int>((background[i] >> shift) & 0xFF);
      const int value = std::clamp(b + under * (w - b) / 255, 0, 255);
      out |= static_cast<uint32_t>(value) << shift;
    }
    background[i] = out;
  }
}

bool IsClassName(HWND window, const wchar_t* name) {
  wchar_t cls[32] = {};
  GetClassNameW(window, cls, static_cast<int>(std::size(cls)));
  return lstrcmpiW(cls, name) == 0;
}

bool HasScrollBar(HWND window) { return HasScrollBarStyle(GetWindowLongW(window, GWL_STYLE)); }

bool HasFrame(HWND window) {
  return HasFrameStyle(GetWindowLongW(window, GWL_STYLE), GetWindowLongW(window, GWL_EXSTYLE));
}

bool IsOwnerDrawListBox(HWND window) {
  return IsClassName(window, L"ListBox") && IsOwnerDrawListStyle(GetWindowLongW(window, GWL_STYLE));
}

RECT ClientInWindow(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const RECT outer = WindowOrigin(window);
  OffsetRect(&client, origin.x - outer.left, origin.y - outer.top);
  return client;
}

RECT InnerRect(HWND window) {
  RECT inner = ClientInWindow(window);
  const RECT outer = WindowOrigin(window);
  for (LONG which : {OBJID_VSCROLL, OBJID_HSCROLL}) {
    RECT bar{};
    if (!VisibleBar(window, which, &bar)) continue;
    OffsetRect(&bar, -outer.left, -outer.top);
    UnionRect(&inner, &inner, &bar);
  }
  return inner;
}

HDC ListBackgroundDC(HWND window) {
  const RECT outer = WindowOrigin(window);
  const RECT whole{0, 0, outer.right - outer.left, outer.bottom - outer.top};
  HDC dc = ControlBackdrop(window, whole);
  if (!dc) return nullptr;
  const RECT client = ClientInWindow(window);
  graphics::GfxGraphics g;
  graphics::GfxSolidBrush wash;
  if (g.FromHdc(dc) &&
      wash.Create(graphics::ArgbFromColorref(0xFFFFFF, SettingsOf(window).highlightAlpha))) {
    g.FillRectangle(wash, static_cast<float>(client.left), static_cast<float>(client.top),
                    static_cast<float>(client.right - client.left),
                    static_cast<float>(client.bottom - client.top));
  }
  return dc;
}

HRGN ScrollBarRegion(HWND window) {
  RECT vertical{}, horizontal{};
  const bool hasV = VisibleBar(window, OBJID_VSCROLL, &vertical);
  const bool hasH = VisibleBar(window, OBJID_HSCROLL, &horizontal);
  if (!hasV && !hasH) return nullptr;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  auto add = [&](const RECT& r) {
    ScopedRegion part(CreateRectRgnIndirect(&r));
    CombineRgn(region, region, part, RGN_OR);
  };
  if (hasV) add(vertical);
  if (hasH) add(horizontal);
  if (hasV && hasH) add(RECT{vertical.left, horizontal.top, vertical.right, horizontal.bottom});
  return region;
}

LRESULT PaintScrollBarsOnly(HWND window, LPARAM lParam) {
  ScopedRegion bars(HasScrollBar(window) ? ScrollBarRegion(window) : nullptr);
  const auto which = bars ? reinterpret_cast<WPARAM>(bars.get()) : static_cast<WPARAM>(0xFFFFFFFF);
  return DefWindowProcW(window, WM_NCPAINT, which, lParam);
}

ChildFreeWindowDc ChildExcludedDC(HWND window) { return ChildFreeWindowDc(window); }

void InvalidateVisibleChildren(HWND window) {
  for (HWND child = FindWindowExW(window, nullptr, nullptr, nullptr); child;
       child = FindWindowExW(window, child, nullptr, nullptr)) {
    if (IsWindowVisible(child)) InvalidateRect(child, nullptr, TRUE);
  }
}

}  // namespace skin::controls
