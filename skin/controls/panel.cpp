#include "skin/controls/panel.h"

#include "graphics/gfx_font.h"
#include "graphics/gfx_path.h"
#include "graphics/gfx_string_format.h"
#include "graphics/path_routines.h"
#include "skin/control_backdrop.h"
#include "skin/control_brush.h"
#include "skin/controls/button_skin.h"
#include "skin/controls/control_font.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/family.h"
#include "skin/controls/family_table.h"
#include "skin/gdi_handles.h"
#include "skin/skin_font.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

bool IsGroupBox(HWND window) {
  return IsWindowClass(window, "Button") && (GetWindowLongA(window, GWL_STYLE) & 0x4);
}

void InvalidateVisibleChildren(HWND panel) {
  for (HWND child = FindWindowExA(panel, nullptr, nullptr, nullptr); child;
       child = FindWindowExA(panel, child, nullptr, nullptr)) {
    if (IsWindowVisible(child)) InvalidateRect(child, nullptr, TRUE);
  }
}

// The caption's box: fontSize + 3 high at y = 1, placed by the alignment bits; empty without
// a caption.
graphics::GfxRectF CaptionBox(HWND panel, const PanelSkin& skin, const std::string& text,
                              graphics::GfxGraphics& g, const graphics::GfxFont& font, float w) {
  if (text.empty()) return {};
  graphics::GfxStringFormat format;
  format.Create();
  graphics::GfxRectF bounds;
  if (!g.MeasureString(text, font, {0, 0, 10000, 1000}, format, &bounds)) return {};
  const auto width = static_cast<int32_t>(bounds.width + 0.5f);
  const auto x = GroupCaptionX(GetWindowLongA(panel, GWL_STYLE), static_cast<int32_t>(w), width);
  return {static_cast<float>(x), 1, static_cast<float>(width),
          static_cast<float>(skin.fontSize + 3)};
}

void PaintGroupFrame(FaceCanvas& canvas, HWND panel, const PanelSkin& skin) {
  graphics::GfxGraphics& g = canvas.g();
  const float w = canvas.width();
  const float h = canvas.height();
  char buffer[512] = {};
  GetWindowTextA(panel, buffer, sizeof(buffer));
  const std::string text = buffer;
  graphics::GfxFont font;
  const bool haveFont =
      !text.empty() && CreateSkinFont(font, skin.fontFace, skin.fontSize, skin.fontStyle);
  const graphics::GfxRectF box =
      haveFont ? CaptionBox(panel, skin, text, g, font, w) : graphics::GfxRectF{};
  // The frame lines stop behind the caption.
  if (box.width > 0) g.SetClipRect(box.x, box.y, box.width, box.height, graphics::kCombineExclude);
  graphics::GfxPath outer;
  if (outer.Create() && graphics::AddRoundRect(outer, 0, 5, w - 1, h - 6, 5)) {
    graphics::StrokePath(g, outer, 1, 0x000000, 40);
  }
  graphics::GfxPath inner;
  if (inner.Create() && graphics::AddRoundRect(inner, 1, 6, w - 3, h - 8, 3)) {
    graphics::StrokePath(g, inner, 1, 0xFFFFFF, 90);
  }
  g.ResetClip();
  if (box.width <= 0) return;
  CaptionStyle style;
  style.face = skin.fontFace;
  style.size = skin.fontSize;
  style.style = skin.fontStyle;
  style.unit = graphics::kUnitPixel;
  style.alignment = 0;
  DrawCaptionText(g, panel, text, style, box);
}

void PaintRoundedFrame(FaceCanvas& canvas) {
  graphics::GfxGraphics& g = canvas.g();
  const float w = canvas.width();
  const float h = canvas.height();
  graphics::GfxPath outer;
  if (outer.Create() && graphics::AddRoundRect(outer, 0, 0, w - 1, h - 1, 5)) {
    graphics::StrokePath(g, outer, 1, 0x000000, 40);
  }
  graphics::GfxPath inner;
  if (inner.Create() && graphics::AddRoundRect(inner, 1, 1, w - 3, h - 3, 3)) {
    graphics::StrokePath(g, inner, 1, 0xFFFFFF, 100);
  }
}

LRESULT OnControlColour(int32_t windowIndex, UINT message, HDC dc, HWND child) {
  WindowSkinRecord* record = RecordAt(windowIndex);
  if (!record || !child) return 0;
  const bool switchesOn = controlColouring != 0 && highlightEnabled != 0;
  if (message == WM_CTLCOLORLISTBOX) {
    if (!switchesOn || !IsWindowClass(child, "ListBox")) return 0;
    if (GetWindowLongA(child, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) return 0;
    // A list box left to the system would show whatever lay behind it through a null brush:
    // only a list whose skin paints its own background gets one.
    if (!PlaceOf(child, kListListTypes).window) return 0;
    SetTextColor(dc, static_cast<COLORREF>(prop::Get(child, prop::Kj_Ztys)));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(NullBrushFor(*record, child));
  }
  if (!switchesOn) return 0;
  // An edit here gets the washed picture the window gives its own edits: left to the system it
  // would stand out as an opaque white box.
  const int32_t wash = message == WM_CTLCOLOREDIT ? highlightAlpha : 0;
  SetTextColor(dc, static_cast<COLORREF>(prop::Get(child, prop::Kj_Ztys)));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(BackdropBrushFor(*record, child, dc, wash));
}

void OnCommand(WPARAM wParam, LPARAM lParam) {
  if (controlColouring == 0 || highlightEnabled == 0) return;
  HWND child = reinterpret_cast<HWND>(lParam);
  if (!child) return;
  const UINT code = HIWORD(wParam);
  bool repaint = false;
  if (IsWindowClass(child, "Edit")) {
    repaint = code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE || code == EN_UPDATE;
  } else if (IsWindowClass(child, "ListBox")) {
    repaint = code == LBN_SELCHANGE || code == LBN_SELCANCEL;
  }
  if (repaint) InvalidateRect(child, nullptr, TRUE);
}

LRESULT DetachPanel(HWND window, WPARAM wParam, LPARAM lParam) {
  PanelSkin* skin = PanelOf(window);
  const LRESULT result = CallPrevious(window, WM_NCDESTROY, wParam, lParam);
  if (skin) {
    skin->window = nullptr;
    skin->movedWindows.clear();
    skin->tooltip.Destroy();
  }
  RemovePropA(window, prop::Hw_FuID);
  RemovePropA(window, prop::Hw_lbID);
  RemovePropA(window, prop::Hw_hProc);
  RemovePropA(window, prop::Mb_zpf);
  return result;
}

}  // namespace

PanelSkin* PanelOf(HWND window, int32_t* windowIndex) {
  const auto index = static_cast<int32_t>(prop::Get(window, prop::Hw_FuID));
  const auto slot = static_cast<size_t>(prop::Get(window, prop::Hw_lbID));
  WindowSkinRecord* record = RecordAt(index);
  if (!record || slot < 1 || slot > record->panels.size()) return nullptr;
  PanelSkin& skin = record->panels[slot - 1];
  if (skin.window != window) return nullptr;
  if (windowIndex) *windowIndex = index;
  return &skin;
}

void AttachPanel(int32_t windowIndex, HWND panel, std::optional<int32_t> enabled,
                 std::optional<COLORREF> colour, std::optional<int32_t> alpha,
                 std::optional<int32_t> rounded) {
  WindowSkinRecord* record = RecordAt(windowIndex);
  if (!record || !panel) return;
  for (const PanelSkin& existing : record->panels) {
    if (existing.window == panel) return;
  }
  PanelSkin skin;
  skin.window = panel;
  skin.colour = colour.value_or(0);
  skin.alpha = static_cast<uint8_t>(alpha.value_or(255));
  skin.rounded = rounded.value_or(0);
  skin.enabled = enabled.value_or(1);
  skin.needsRepaint = 1;
  if (IsGroupBox(panel)) {
    skin.isGroupBox = 1;
    const ControlFontInfo font = ReadControlFont(panel);
    skin.fontFace = font.face;
    skin.fontSize = font.size;
    skin.fontStyle = font.style;
  }
  // Slot rule: a list holding one panel that has gone is reused.
  int32_t slot = 0;
  if (record->panels.size() == 1 && record->panels[0].window == nullptr) {
    record->panels[0] = std::move(skin);
    slot = 1;
  } else {
    record->panels.push_back(std::move(skin));
    slot = static_cast<int32_t>(record->panels.size());
  }
  // Known as a panel before its children are skinned: their backdrops come through it.
  prop::Set(panel, prop::Hw_lbID, slot);
  prop::Set(panel, prop::Hw_FuID, windowIndex);
  prop::Set(panel, prop::Mb_zpf, prop::Get(GetParent(panel), prop::Wxk_Zpf));
  AttachControlFamilies(windowIndex, panel);
  // The children's attaching may have grown the list; the slot stays where it was.
  record->panels[slot - 1].previousProc = InstallSubclass(panel, prop::Hw_hProc, PanelSkinProc);
  InvalidateRect(panel, nullptr, TRUE);
}

void PaintPanel(int32_t windowIndex, int32_t panelIndex, HDC dc) {
  WindowSkinRecord* record = RecordAt(windowIndex);
  if (!record || panelIndex < 1 || static_cast<size_t>(panelIndex) > record->panels.size()) return;
  const PanelSkin& skin = record->panels[panelIndex - 1];
  HWND panel = skin.window;
  if (!panel || !dc) return;
  RECT client{};
  GetClientRect(panel, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  FaceCanvas canvas(panel, client);
  if (!canvas.ok()) return;
  // The panel shows the same overlay as everything inside it.
  OverlayPanelBackdrop(canvas.dc(), skin, client);
  if (skin.isGroupBox != 0) {
    PaintGroupFrame(canvas, panel, skin);
  } else if (skin.rounded != 0) {
    PaintRoundedFrame(canvas);
  }
  const int saved = SaveDC(dc);
  ExcludeVisibleChildren(panel, dc);
  canvas.CopyTo(dc);
  RestoreDC(dc, saved);
}

LRESULT CALLBACK PanelSkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  int32_t windowIndex = 0;
  PanelSkin* skin = PanelOf(window, &windowIndex);
  if (!skin) return CallPrevious(window, message, wParam, lParam);
  const auto slot = static_cast<int32_t>(prop::Get(window, prop::Hw_lbID));
  switch (message) {
    case WM_NCDESTROY:
      return DetachPanel(window, wParam, lParam);
    case WM_SHOWWINDOW:
      if (wParam == 1) {
        CallPrevious(window, message, wParam, lParam);
        if (skin->enabled != 0) {
          HDC dc = GetDC(window);
          PaintPanel(windowIndex, slot, dc);
          ReleaseDC(window, dc);
        }
        return DefWindowProcA(window, message, wParam, lParam);
      }
      break;
    case WM_MOVE:
      if (skin->enabled != 0 && skin->alpha != 255) InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_PAINT:
      if (skin->enabled != 0) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        PaintPanel(windowIndex, slot, dc);
        // The record may have moved while painting (a child's WM_CTLCOLOR*): look it up again.
        if (PanelSkin* now = PanelOf(window)) {
          if (now->needsRepaint != 0) {
            now->needsRepaint = 0;
          } else {
            InvalidateVisibleChildren(window);
          }
        }
        EndPaint(window, &ps);
        return DefWindowProcA(window, message, wParam, lParam);
      }
      break;
    case WM_ERASEBKGND:
      if (skin->enabled != 0) {
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return 1;
      }
      break;
    case WM_DRAWITEM:
      if (lParam) DrawOwnerDrawnItem(windowIndex, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (const LRESULT brush = OnControlColour(windowIndex, message, reinterpret_cast<HDC>(wParam),
                                                reinterpret_cast<HWND>(lParam))) {
        return brush;
      }
      break;
    case WM_SIZE:
      skin->needsRepaint = 1;
      for (HWND moved : skin->movedWindows) {
        if (IsWindow(moved)) MoveWindow(moved, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      }
      break;
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      break;
  }
  return CallPrevious(window, message, wParam, lParam);
}

}  // namespace skin::controls
