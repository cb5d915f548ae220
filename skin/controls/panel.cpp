#include "skin/controls/panel.h"

#include "graphics/gfx_font.h"
#include "graphics/gfx_path.h"
#include "graphics/gfx_string_format.h"
#include "graphics/path_routines.h"
#include "skin/backdrop/control_backdrop.h"
#include "skin/backdrop/control_brush.h"
#include "skin/controls/button_skin.h"
#include "skin/controls/control_font.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/family_table.h"
#include "skin/controls/list_control.h"
#include "skin/controls/skinned_control.h"
#include "skin/frame/skin_font.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/gdi/gdi_scoped.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

bool IsGroupBox(HWND window) {
  return IsWindowClass(window, L"Button") && (GetWindowLongW(window, GWL_STYLE) & 0x4);
}

void InvalidateVisibleChildren(HWND panel) {
  for (HWND child = FindWindowExW(panel, nullptr, nullptr, nullptr); child;
       child = FindWindowExW(panel, child, nullptr, nullptr)) {
    if (IsWindowVisible(child)) InvalidateRect(child, nullptr, TRUE);
  }
}

// The caption's box: fontSize + 3 high at y = 1, placed by the alignment bits; empty without
// a caption.
graphics::GfxRectF CaptionBox(HWND panel, const PanelSkin& skin, const std::wstring& text,
                              graphics::GfxGraphics& g, const graphics::GfxFont& font, float w) {
  if (text.empty()) return {};
  graphics::GfxStringFormat format;
  format.Create();
  graphics::GfxRectF bounds;
  if (!g.MeasureString(text, font, {0, 0, 10000, 1000}, format, &bounds)) return {};
  const auto width = static_cast<int32_t>(bounds.width + 0.5f);
  const auto x = GroupCaptionX(GetWindowLongW(panel, GWL_STYLE), static_cast<int32_t>(w), width);
  return {static_cast<float>(x), 1, static_cast<float>(width),
          static_cast<float>(skin.fontSize + 3)};
}

// The panel's frame: a faint dark rounded line, a light one inside it, from `top` down over a
// w x h box.
void StrokeFrame(graphics::GfxGraphics& g, float top, float w, float h, int32_t lightAlpha) {
  graphics::GfxPath outer;
  if (outer.Create() && graphics::AddRoundRect(outer, 0, top, w - 1, h - 1, 5)) {
    graphics::StrokePath(g, outer, 1, 0x000000, 40);
  }
  graphics::GfxPath inner;
  if (inner.Create() && graphics::AddRoundRect(inner, 1, top + 1, w - 3, h - 3, 3)) {
    graphics::StrokePath(g, inner, 1, 0xFFFFFF, lightAlpha);
  }
}

void PaintGroupFrame(FaceCanvas& canvas, HWND panel, const PanelSkin& skin) {
  graphics::GfxGraphics& g = canvas.g();
  const float w = canvas.width();
  const float h = canvas.height();
  wchar_t buffer[512] = {};
  GetWindowTextW(panel, buffer, static_cast<int>(std::size(buffer)));
  const std::wstring text = buffer;
  graphics::GfxFont font;
  const bool haveFont =
      !text.empty() && CreateSkinFont(font, skin.fontFace, skin.fontSize, skin.fontStyle);
  const graphics::GfxRectF box =
      haveFont ? CaptionBox(panel, skin, text, g, font, w) : graphics::GfxRectF{};
  // The frame lines stop behind the caption.
  if (box.width > 0) g.SetClipRect(box.x, box.y, box.width, box.height, graphics::kCombineExclude);
  StrokeFrame(g, 5, w, h - 5, 90);
  g.ResetClip();
  if (box.width <= 0) return;
  CaptionStyle style;
  style.face = skin.fontFace;
  style.size = skin.fontSize;
  style.style = skin.fontStyle;
  style.unit = graphics::kUnitPixel;
  style.alignment = 0;
  DrawCaptionText(g, canvas.dc(), panel, text, style, box);
}

LRESULT OnControlColour(WindowSkinRecord& owner, UINT message, HDC dc, HWND child) {
  WindowSkinRecord* record = &owner;
  if (!child) return 0;
  const SkinSettings& settings = owner.engine ? *owner.engine : SettingsOf(child);
  const bool switchesOn = settings.controlColouring != 0 && settings.highlightEnabled != 0;
  if (message == WM_CTLCOLORLISTBOX) {
    if (!switchesOn || !IsWindowClass(child, L"ListBox")) return 0;
    if (GetWindowLongW(child, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) return 0;
    // A list box left to the system would show whatever lay behind it through a null brush:
    // only a list whose skin paints its own background gets one.
    if (!RecordOf<ControlRecord>(child, kListListTypes)) return 0;
    SetTextColor(dc, ListTextColour(child));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(NullBrushFor(*record, child));
  }
  if (!switchesOn) return 0;
  // An edit here gets the washed picture the window gives its own edits: left to the system it
  // would stand out as an opaque white box.
  const int32_t wash = message == WM_CTLCOLOREDIT ? settings.highlightAlpha : 0;
  SetBkMode(dc, TRANSPARENT);
  HBRUSH brush = BackdropBrushFor(*record, child, dc, wash);
  SetTextColor(dc, TextColourOverBrush(child));
  return reinterpret_cast<LRESULT>(brush);
}

void OnCommand(WPARAM wParam, LPARAM lParam) {
  HWND child = reinterpret_cast<HWND>(lParam);
  if (!child) return;
  const SkinSettings& settings = SettingsOf(child);
  if (settings.controlColouring == 0 || settings.highlightEnabled == 0) return;
  const UINT code = HIWORD(wParam);
  bool repaint = false;
  if (IsWindowClass(child, L"Edit")) {
    repaint = code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE || code == EN_UPDATE;
  } else if (IsWindowClass(child, L"ListBox")) {
    repaint = code == LBN_SELCHANGE || code == LBN_SELCANCEL;
  }
  if (repaint) InvalidateRect(child, nullptr, TRUE);
}

void PaintOn(PanelSkin& skin, HDC dc) {
  HWND panel = skin.window;
  if (!panel || !dc) return;
  RECT client{};
  GetClientRect(panel, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  FaceCanvas canvas(panel, client);
  if (!canvas.ok()) return;
  // The panel shows the same overlay as everything inside it.
  OverlayPanelBackdrop(canvas.dc(), skin, client);
  if (skin.isGroupBox) {
    PaintGroupFrame(canvas, panel, skin);
  } else if (skin.rounded != 0) {
    StrokeFrame(canvas.g(), 0, canvas.width(), canvas.height(), 100);
  }
  const int saved = SaveDC(dc);
  ExcludeVisibleChildren(panel, dc);
  canvas.CopyTo(dc);
  RestoreDC(dc, saved);
}

void PaintFace(ControlRecord& record, HDC dc) { PaintOn(static_cast<PanelSkin&>(record), dc); }

void Destroy(ControlRecord& record) {
  auto& skin = static_cast<PanelSkin&>(record);
  skin.movedWindows.clear();
  skin.tooltip.Destroy();
  RemovePropW(skin.window, prop::Mb_zpf);
}

// Anything that sends messages may take the panel away: painting sends the children
// WM_CTLCOLOR*, and what they do may destroy windows. A chained call says so (record null).
bool Handle(SkinnedMessage& m, LRESULT* result) {
  HWND window = m.window;
  auto& skin = m.As<PanelSkin>();
  const bool enabled = skin.enabled != 0;
  switch (m.message) {
    case WM_SHOWWINDOW:
      if (m.wParam != 1) break;
      m.Chain();
      if (m.record && m.As<PanelSkin>().enabled != 0) {
        ClientDc dc(window);
        PaintOn(m.As<PanelSkin>(), dc);
      }
      *result = DefWindowProcW(window, m.message, m.wParam, m.lParam);
      return true;
    case WM_MOVE:
      if (enabled && skin.alpha != 255) InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_PAINT:
      if (!enabled) break;
      {
        PaintDc dc(window);
        PaintOn(skin, dc);
        if (m.record) {
          PanelSkin& now = m.As<PanelSkin>();
          if (now.needsRepaint) {
            now.needsRepaint = false;
          } else {
            InvalidateVisibleChildren(window);
          }
        }
      }
      *result = DefWindowProcW(window, m.message, m.wParam, m.lParam);
      return true;
    case WM_ERASEBKGND:
      if (!enabled) break;
      SetBkMode(reinterpret_cast<HDC>(m.wParam), TRANSPARENT);
      *result = 1;
      return true;
    case WM_DRAWITEM:
      if (m.lParam) {
        DrawOwnerDrawnItem(m.owner, *reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam));
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (const LRESULT brush =
              OnControlColour(*m.owner, m.message, reinterpret_cast<HDC>(m.wParam),
                              reinterpret_cast<HWND>(m.lParam))) {
        *result = brush;
        return true;
      }
      break;
    case WM_SIZE: {
      skin.needsRepaint = true;
      // Copied: moving a window sends messages.
      const std::vector<HWND> moved = skin.movedWindows;
      for (HWND each : moved) {
        if (IsWindow(each)) MoveWindow(each, 0, 0, LOWORD(m.lParam), HIWORD(m.lParam), TRUE);
      }
      break;
    }
    case WM_COMMAND:
      OnCommand(m.wParam, m.lParam);
      break;
  }
  return false;
}

constexpr KindOps kPanelOps{kListPanels, kHwKeys, kHoverNone, FaceKind::kOwn, PaintFace,
                            nullptr,     nullptr, Handle,     Destroy};

}  // namespace

PanelSkin* PanelOf(HWND window, WindowSkinRecord** ownerRecord) {
  PanelSkin* skin = RecordOf<PanelSkin>(window, kListPanels);
  if (skin && ownerRecord) *ownerRecord = skin->owner;
  return skin;
}

void AttachPanel(WindowSkinRecord* ownerRecord, HWND panel, std::optional<int32_t> enabled,
                 std::optional<COLORREF> colour, std::optional<int32_t> alpha,
                 std::optional<int32_t> rounded) {
  WindowSkinRecord* record = ownerRecord;
  if (!record || !panel || PanelOf(panel) || GetPropW(panel, prop::Hw_hProc)) return;
  auto* skin = AttachToSlot<PanelSkin>(ownerRecord, kListPanels, panel, &kPanelOps, kHwKeys);
  if (!skin) return;
  skin->colour = colour.value_or(0);
  skin->alpha = static_cast<uint8_t>(alpha.value_or(255));
  skin->rounded = rounded.value_or(0);
  skin->enabled = enabled.value_or(1);
  skin->needsRepaint = true;
  if (IsGroupBox(panel)) {
    skin->isGroupBox = true;
    const ControlFontInfo font = ReadControlFont(panel);
    skin->fontFace = font.face;
    skin->fontSize = font.size;
    skin->fontStyle = font.style;
  }
  // Known as a panel before its children are skinned (their backdrops come through it), and
  // subclassed after them.
  prop::Set(panel, prop::Mb_zpf, prop::Get(GetParent(panel), prop::Wxk_Zpf));
  AttachControlFamilies(ownerRecord, panel);
  InstallSkin(*skin, kHwKeys);
  InvalidateRect(panel, nullptr, TRUE);
}

void PaintPanel(HWND panel, HDC dc) {
  if (PanelSkin* skin = PanelOf(panel)) PaintOn(*skin, dc);
}

}  // namespace skin::controls
