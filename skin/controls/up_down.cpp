#include "skin/controls/up_down.h"

#include <commctrl.h>

#include <span>

#include "embedded/resources.h"
#include "graphics/gfx_brush.h"
#include "graphics/gfx_image.h"
#include "graphics/gfx_path.h"
#include "graphics/path_routines.h"
#include "skin/backdrop/control_dpi.h"
#include "skin/caption/caption_glyphs.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/skinned_control.h"
#include "skin/controls/system_sizes.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

using graphics::ArgbFromColorref;
using graphics::GfxGraphics;
using graphics::GfxPath;

SIZE WindowSizeOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

std::span<const unsigned char> ArrowOf(bool horizontal, int32_t half, int dpi) {
  if (horizontal) return ArrowGlyph(half == 0 ? Arrow::kLeft : Arrow::kRight, dpi);
  return ArrowGlyph(half == 0 ? Arrow::kUp : Arrow::kDown, dpi);
}

const graphics::GfxBitmap* ArrowImage(UpDownSkin& control, int32_t half, int dpi) {
  return control.arrows.At(half, dpi, ArrowOf(control.horizontal != 0, half, dpi));
}

void PaintHalf(GfxGraphics& g, const RECT& r, HalfFace face, const graphics::GfxBitmap* arrow,
               COLORREF accentColour) {
  const auto x = static_cast<float>(r.left);
  const auto y = static_cast<float>(r.top);
  const auto w = static_cast<float>(r.right - r.left);
  const auto h = static_cast<float>(r.bottom - r.top);
  GfxPath figure;
  if (!figure.Create() || !graphics::AddRoundRect(figure, x + 1, y + 1, w - 3, h - 3, 2)) return;
  graphics::Argb top = ArgbFromColorref(0xFFFFFF, 60);
  graphics::Argb bottom = ArgbFromColorref(accentColour, 100);
  COLORREF pen = 0x000000;
  int32_t penAlpha = 100;
  if (face == HalfFace::kHot) {
    top = ArgbFromColorref(0xFFFFFF, 100);
    bottom = ArgbFromColorref(accentColour, 150);
  } else if (face == HalfFace::kPressed) {
    top = ArgbFromColorref(accentColour, 100);
    bottom = ArgbFromColorref(0xFFFFFF, 150);
  }
  if (face != HalfFace::kNormal) {
    pen = accentColour;
    penAlpha = 200;
  }
  graphics::GfxLinearBrush fill;
  if (fill.Create({x, y}, {x, y + h}, top, bottom)) g.FillPath(fill, figure);
  if (arrow) {
    const auto aw = static_cast<int32_t>(arrow->GetWidth());
    const auto ah = static_cast<int32_t>(arrow->GetHeight());
    g.DrawImageRect(*arrow, static_cast<float>(r.left + (r.right - r.left - aw) / 2),
                    static_cast<float>(r.top + (r.bottom - r.top - ah) / 2), static_cast<float>(aw),
                    static_cast<float>(ah));
  }
  graphics::StrokePath(g, figure, 1, pen, penAlpha);
}

}  // namespace

int32_t HalfAt(SIZE size, bool horizontal, POINT point) {
  if (point.x < 0 || point.y < 0 || point.x >= size.cx || point.y >= size.cy) return -1;
  if (horizontal) return point.x < size.cx / 2 ? 0 : 1;
  return point.y < size.cy / 2 ? 0 : 1;
}

RECT HalfRect(SIZE size, bool horizontal, int32_t half) {
  if (horizontal) {
    const LONG mid = size.cx / 2;
    return half == 0 ? RECT{0, 0, mid, size.cy} : RECT{mid, 0, size.cx, size.cy};
  }
  const LONG mid = size.cy / 2;
  return half == 0 ? RECT{0, 0, size.cx, mid} : RECT{0, mid, size.cx, size.cy};
}

std::array<HalfFace, 2> HalfFaces(const UpDownSkin& control, SIZE size) {
  std::array<HalfFace, 2> faces{HalfFace::kNormal, HalfFace::kNormal};
  const int32_t pressedHalf =
      control.pressed != 0 ? HalfAt(size, control.horizontal != 0, PointOf(control.pressedPoint))
                           : -1;
  for (int32_t half = 0; half < 2; ++half) {
    if (pressedHalf == half) {
      faces[half] = HalfFace::kPressed;
    } else if (control.hot && control.hotPart == half) {
      faces[half] = HalfFace::kHot;
    }
  }
  return faces;
}

UINT NotedState(const std::array<HalfFace, 2>& faces) {
  UINT state = 0;
  for (int32_t half = 0; half < 2; ++half) {
    UINT bits = 0;
    if (faces[half] == HalfFace::kHot) bits = kStateHot;
    if (faces[half] == HalfFace::kPressed) bits = kStatePressed;
    state |= bits << (8 * half);
  }
  return state;
}

namespace {

void PaintFace(ControlRecord& record, HDC dc) { PaintUpDownOn(record.window, dc, record.hot); }

bool Track(ControlRecord& record, LPARAM point) {
  auto& control = static_cast<UpDownSkin&>(record);
  const int32_t part =
      HalfAt(WindowSizeOf(control.window), control.horizontal != 0, PointOf(point));
  if (part == control.hotPart) return false;
  control.hotPart = part;
  return true;
}

void Leave(ControlRecord& record) { static_cast<UpDownSkin&>(record).hotPart = -1; }

bool Handle(SkinnedMessage& m, LRESULT* result) {
  if (m.message != WM_LBUTTONDOWN && m.message != WM_LBUTTONUP) return false;
  auto& control = m.As<UpDownSkin>();
  control.pressed = m.message == WM_LBUTTONDOWN ? 1 : 0;
  control.pressedPoint = m.lParam;
  // The control's own procedure may paint its pressed look: the skin's face goes back on.
  *result = m.Chain();
  if (m.record) RepaintNow(*m.record);
  return true;
}

constexpr KindOps kUpDownOps{kListUpDowns, kHwKeys, kHoverUpDown, FaceKind::kWholeWindow,
                             PaintFace,    Track,   Leave,        Handle};

}  // namespace

UpDownSkin* UpDownOf(HWND window) { return RecordOf<UpDownSkin>(window, kListUpDowns); }

void AttachUpDowns(WindowSkinRecord* ownerRecord, HWND parent) {
  AttachChildrenOfClass<&kUpDownOps, UpDownSkin>(
      ownerRecord, parent, UPDOWN_CLASSW, [](UpDownSkin& control, HWND child) {
        control.horizontal = (GetWindowLongW(child, GWL_STYLE) & UDS_HORZ) ? 1 : 0;
        FitUpDownWidth(control, ControlDpi(child));
        InvalidateRect(child, nullptr, TRUE);
      });
}

void PaintUpDownOn(HWND window, HDC target, bool hot) {
  UpDownSkin* control = UpDownOf(window);
  if (!control || !target) return;
  const SIZE size = WindowSizeOf(window);
  FaceCanvas canvas(window, RECT{0, 0, size.cx, size.cy});
  if (!canvas.ok()) return;
  GfxGraphics& g = canvas.g();
  GfxPath body;
  if (body.Create() &&
      graphics::AddRoundRect(body, 0, 0, canvas.width() - 1, canvas.height() - 1, 3)) {
    graphics::GfxSolidBrush white;
    if (white.Create(ArgbFromColorref(0xFFFFFF, 160))) g.FillPath(white, body);
  }
  UpDownSkin shown = *control;
  shown.hot = hot;
  const std::array<HalfFace, 2> faces = HalfFaces(shown, size);
  const bool horizontal = control->horizontal != 0;
  for (int32_t half = 0; half < 2; ++half) {
    PaintHalf(g, HalfRect(size, horizontal, half), faces[half],
              ArrowImage(*control, half, ControlDpi(window)), SettingsOf(window).accentColour);
  }
  NoteFace(window, NotedState(faces), {});
  canvas.CopyTo(target);
}

void PaintUpDown(HWND control) { RepaintNow(control, kUpDownOps); }

}  // namespace skin::controls
