#include "skin/controls/combo_skin.h"

#include <string>

#include "embedded/resources.h"
#include "graphics/dpi_scale.h"
#include "graphics/gfx_brush.h"
#include "graphics/gfx_image.h"
#include "graphics/gfx_path.h"
#include "graphics/path_routines.h"
#include "skin/backdrop/control_brush.h"
#include "skin/backdrop/control_dpi.h"
#include "skin/caption/caption_glyphs.h"
#include "skin/controls/edit_skin.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/focus_cues.h"
#include "skin/controls/skinned_control.h"
#include "skin/property_keys.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

using graphics::ArgbFromColorref;
using graphics::GfxGraphics;
using graphics::GfxPath;

constexpr graphics::Argb kMagenta = 0xFFFF00FF;

std::wstring SelectedItemText(HWND combo) {
  const auto selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (selected < 0) return {};
  const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, selected, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, '\0');
  const auto copied =
      SendMessageW(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

HWND EditOfCombo(HWND combo) { return FindWindowExW(combo, nullptr, L"Edit", nullptr); }

// The combo's children that keep their own painting, in combo coordinates.
template <typename Each>
void ForOwnPaintedChildren(HWND combo, Each each) {
  for (const wchar_t* cls : {L"Edit", L"ComboLBox"}) {
    HWND child = FindWindowExW(combo, nullptr, cls, nullptr);
    if (!child || !IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    each(ToWindowCoordinates(combo, r));
  }
}

const graphics::GfxBitmap* ArrowImage(HWND combo) {
  ComboSkin* skin = ComboOf(combo);
  if (!skin) return nullptr;
  const int dpi = ControlDpi(combo);
  return skin->arrow.At(0, dpi, ArrowGlyph(Arrow::kCombo, dpi));
}

void PaintDropButton(GfxGraphics& g, COLORREF accentColour, float w, float h, bool lit, bool hot,
                     const graphics::GfxBitmap* arrow, int dpi) {
  // 96-dpi lengths; the line stays one whole pixel, the arrow its own size.
  const auto px = [dpi](float length) { return graphics::ScaleFloat(length, dpi); };
  const float dropWidth = px(17);
  const auto line = static_cast<float>(graphics::ScaleLine(1, dpi));
  const float x = w - dropWidth - line;
  const COLORREF frame = lit ? accentColour : 0x000000;
  const int32_t frameAlpha = lit ? 200 : 80;
  GfxPath outer;
  if (outer.Create() &&
      graphics::AddRoundRect(outer, x, line, dropWidth - line, h - 3 * line, px(3))) {
    graphics::StrokePath(g, outer, line, frame, frameAlpha);
  }
  GfxPath inner;
  if (inner.Create() && graphics::AddRoundRect(inner, x + line, 2 * line, dropWidth - 3 * line,
                                               h - 5 * line, px(2))) {
    graphics::GfxLinearBrush fill;
    const auto top = hot ? ArgbFromColorref(0xFFFFFF, 100) : ArgbFromColorref(accentColour, 30);
    const auto bottom = ArgbFromColorref(accentColour, hot ? 150 : 100);
    if (fill.Create({0, 2}, {0, h - 3}, top, bottom)) g.FillPath(fill, inner);
  }
  if (arrow) {
    // Drawn for the DPI already: at its own size.
    const auto aw = static_cast<float>(arrow->GetWidth());
    const auto ah = static_cast<float>(arrow->GetHeight());
    const auto ax = static_cast<float>(static_cast<int32_t>(x + (dropWidth - aw) / 2.0f));
    const auto ay = static_cast<float>(static_cast<int32_t>((h - ah) / 2));
    g.DrawImageRect(*arrow, ax, ay, aw, ah);
  }
}

void DrawComboText(GfxGraphics& g, HDC surface, HWND combo, float w, float h) {
  CaptionStyle style;
  style.face = FaceOf(combo);
  style.size = 12;
  style.unit = graphics::kUnitPixel;
  style.alignment = 0;
  const int dpi = ControlDpi(combo);
  style.size = graphics::ScaleLength(style.size, dpi);
  DrawCaptionText(
      g, surface, combo, WindowText(combo), style,
      {graphics::ScaleFloat(4, dpi), 0, w - graphics::ScaleFloat(kDropButtonWidth + 6, dpi), h});
}

void PaintFace(ControlRecord& record, HDC dc) {
  const auto& combo = static_cast<ComboSkin&>(record);
  PaintComboOn(combo.window, dc, combo.hot, combo.focused);
}

// The combo box's own procedure paints its text and button straight onto the screen when the
// selection, the focus or the button's state changes: the skin's face goes back on top.
LRESULT ChainThenRepaint(SkinnedMessage& m) {
  const LRESULT result = m.Chain();
  if (m.record) RepaintNow(*m.record);
  return result;
}

bool Handle(SkinnedMessage& m, LRESULT* result) {
  HWND window = m.window;
  auto& combo = m.As<ComboSkin>();
  switch (m.message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      combo.focused = m.message == WM_SETFOCUS;
      if (combo.focused) RepaintNow(combo);
      *result = ChainThenRepaint(m);
      return true;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
    case CB_SETCURSEL:
      *result = ChainThenRepaint(m);
      return true;
    case WM_SETTEXT:
      if (HWND edit = EditOfCombo(window)) InvalidateRect(edit, nullptr, TRUE);
      break;
    case WM_CTLCOLOREDIT:
      if (WashOn(window)) {
        HDC dc = reinterpret_cast<HDC>(m.wParam);
        HWND edit = reinterpret_cast<HWND>(m.lParam);
        SetBkMode(dc, TRANSPARENT);
        // Washed like the face around it.
        if (HBRUSH brush =
                BackdropBrushFor(*m.owner, edit, dc, SettingsOf(window).highlightAlpha)) {
          SetTextColor(dc, TextColourOverBrush(edit));
          *result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      break;
    case WM_COMMAND:
      if (WashOn(window) && SettingsOf(window).controlColouring != 0 && m.lParam != 0 &&
          reinterpret_cast<HWND>(m.lParam) == EditOfCombo(window)) {
        const UINT code = HIWORD(m.wParam);
        if (code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE) {
          InvalidateRect(reinterpret_cast<HWND>(m.lParam), nullptr, TRUE);
        }
      }
      *result = ChainThenRepaint(m);
      return true;
  }
  return false;
}

constexpr KindOps kComboOps{kListComboBoxes, kHwKeys, kHoverCombo, FaceKind::kWholeWindow,
                            PaintFace,       nullptr, nullptr,     Handle};

void AttachCombo(WindowSkinRecord* ownerRecord, HWND combo) {
  if (!ownerRecord || HeldByAnySkin(combo)) return;
  const std::wstring selected = SelectedItemText(combo);
  if (!selected.empty()) {
    SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(selected.c_str()));
  }
  if (!AttachKind<&kComboOps, ComboSkin>(ownerRecord, combo)) return;
  if (WashOn(combo)) {
    if (HWND edit = EditOfCombo(combo)) AttachEdit(ownerRecord, edit);
  }
  InvalidateRect(combo, nullptr, TRUE);
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

ComboSkin* ComboOf(HWND window) { return RecordOf<ComboSkin>(window, kListComboBoxes); }

void AttachEditsAndCombos(WindowSkinRecord* ownerRecord, HWND parent) {
  if (SettingsOf(parent).controlColouring == 0 || !ownerRecord) return;
  for (HWND edit = FindWindowExW(parent, nullptr, L"Edit", nullptr); edit;
       edit = FindWindowExW(parent, edit, L"Edit", nullptr)) {
    AttachEdit(ownerRecord, edit);
  }
  for (HWND combo = FindWindowExW(parent, nullptr, L"ComboBox", nullptr); combo;
       combo = FindWindowExW(parent, combo, L"ComboBox", nullptr)) {
    AttachCombo(ownerRecord, combo);
  }
}

void PaintComboOn(HWND combo, HDC target, bool hot, bool focused) {
  const COLORREF accentColour = SettingsOf(combo).accentColour;
  const RECT whole = WindowSize(combo);
  FaceCanvas canvas(combo, whole);
  if (!canvas.ok()) return;
  GfxGraphics& g = canvas.g();
  const float w = canvas.width();
  const float h = canvas.height();
  FillRing(g, w, h, SettingsOf(combo));
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
  if (FocusCueShown(combo)) {
    const CueStroke s = FrameCueStroke(canvas.widthPx(), canvas.heightPx());
    StrokeRectangle(g, s.x, s.y, s.width, s.height, accentColour, s.alpha, s.pen);
  } else {
    StrokeRectangle(g, 0, 0, w - 1, h - 1, lit ? accentColour : 0x000000, lit ? 200 : 80, 1);
  }
  const ComboParts parts = ComboPartsFor(GetWindowLongW(combo, GWL_STYLE));
  if (parts.dropButton)
    PaintDropButton(g, SettingsOf(combo).accentColour, w, h, lit, hot, ArrowImage(combo),
                    ControlDpi(combo));
  if (parts.text) DrawComboText(g, canvas.dc(), combo, w, h);
  NoteFace(combo, (hot ? kStateHot : 0) | (focused ? kStateFocus : 0), {});
  g.Delete();
  TransparentBlt(target, 0, 0, canvas.widthPx(), canvas.heightPx(), canvas.dc(), 0, 0,
                 canvas.widthPx(), canvas.heightPx(), 0xFF00FF);
}

void PaintCombo(HWND combo) { RepaintNow(combo, kComboOps); }

}  // namespace skin::controls
