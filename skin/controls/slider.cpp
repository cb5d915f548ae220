#include "skin/controls/slider.h"

#include <commctrl.h>

#include <algorithm>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_path.h"
#include "graphics/gfx_pen.h"
#include "graphics/path_routines.h"
#include "skin/backdrop/control_dpi.h"
#include "skin/controls/edit_skin.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/face_layers.h"
#include "skin/controls/focus_cues.h"
#include "skin/controls/skinned_control.h"
#include "skin/controls/system_sizes.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

using graphics::ArgbFromColorref;
using graphics::GfxGraphics;
using graphics::GfxPath;

void FillGradient(GfxGraphics& g, const GfxPath& path, graphics::GfxPointF from,
                  graphics::GfxPointF to, graphics::Argb start, graphics::Argb end) {
  graphics::GfxLinearBrush brush;
  if (brush.Create(from, to, start, end)) g.FillPath(brush, path);
}

// Client coordinates of the control's messages, moved into its window rectangle.
POINT ClientOrigin(HWND window) {
  RECT w{};
  GetWindowRect(window, &w);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return POINT{origin.x - w.left, origin.y - w.top};
}

RECT Reported(HWND slider, UINT message, POINT origin) {
  RECT r{};
  SendMessageW(slider, message, 0, reinterpret_cast<LPARAM>(&r));
  OffsetRect(&r, origin.x, origin.y);
  return r;
}

void PaintFrame(GfxGraphics& g, float w, float h, bool vertical) {
  GfxPath outer;
  if (outer.Create() && graphics::AddRoundRect(outer, 0, 0, w - 1, h - 1, 5)) {
    graphics::StrokePath(g, outer, 1, 0x000000, 30);
  }
  GfxPath inner;
  if (inner.Create() && graphics::AddRoundRect(inner, 1, 1, w - 2, h - 2, 3)) {
    const graphics::GfxPointF end =
        vertical ? graphics::GfxPointF{w, 0} : graphics::GfxPointF{0, h};
    FillGradient(g, inner, {0, 0}, end, ArgbFromColorref(0xFFFFFF, 160),
                 ArgbFromColorref(0x000000, 30));
  }
}

void PaintChannel(GfxGraphics& g, const RECT& c) {
  GfxPath path;
  const auto x = static_cast<float>(c.left);
  const auto y = static_cast<float>(c.top);
  const auto w = static_cast<float>(c.right - c.left);
  const auto h = static_cast<float>(c.bottom - c.top);
  if (!path.Create() || !graphics::AddRoundRect(path, x, y, w, h, 1)) return;
  FillGradient(g, path, {x, y}, {x, y + h + 1}, ArgbFromColorref(0x000000, 50),
               ArgbFromColorref(0x000000, 30));
}

void PaintThumb(GfxGraphics& g, const graphics::GfxRectF& c) {
  GfxPath circle;
  if (!circle.Create() || !circle.AddEllipse(c.x, c.y, c.width, c.height)) return;
  graphics::GfxSolidBrush white;
  if (white.Create(ArgbFromColorref(0xFFFFFF, 255))) g.FillPath(white, circle);
  FillGradient(g, circle, {c.x, c.y}, {c.x, c.y + c.height + 1}, ArgbFromColorref(0xFFFFFF, 0),
               ArgbFromColorref(0x000000, 90));
  graphics::StrokePath(g, circle, 1, 0x000000, 50);
}

void PaintSelection(GfxGraphics& g, HWND slider, const RECT& channel, const RECT& thumb,
                    bool vertical) {
  const auto low = static_cast<int32_t>(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0));
  const auto high = static_cast<int32_t>(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0));
  const auto first = static_cast<int32_t>(SendMessageW(slider, TBM_GETSELSTART, 0, 0));
  const auto last = static_cast<int32_t>(SendMessageW(slider, TBM_GETSELEND, 0, 0));
  if (last < first) return;
  const int32_t start = vertical ? channel.top : channel.left;
  const int32_t end = vertical ? channel.bottom : channel.right;
  const int32_t thumbLength = vertical ? thumb.bottom - thumb.top : thumb.right - thumb.left;
  const float a = PositionAlong(first, low, high, start, end, thumbLength);
  const float b = PositionAlong(last, low, high, start, end, thumbLength);
  graphics::GfxPen pen;
  if (!pen.Create(ArgbFromColorref(0xFFFFFF, 160))) return;
  if (vertical) {
    g.DrawRectangle(pen, static_cast<float>(channel.left), a,
                    static_cast<float>(channel.right - channel.left - 1), b - a);
  } else {
    g.DrawRectangle(pen, a, static_cast<float>(channel.top), b - a,
                    static_cast<float>(channel.bottom - channel.top - 1));
  }
}

// Ticks at both ends of the range and at every tick the control holds between them.
void PaintTicks(GfxGraphics& g, HWND slider, const RECT& channel, const RECT& thumb, bool vertical,
                int32_t tickSide) {
  const auto spans = TickSpans(thumb, vertical, tickSide);
  if (spans.empty()) return;
  const auto low = static_cast<int32_t>(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0));
  const auto high = static_cast<int32_t>(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0));
  std::vector<int32_t> ticks{low, high};
  const auto inner = static_cast<int32_t>(SendMessageW(slider, TBM_GETNUMTICS, 0, 0)) - 2;
  for (int32_t i = 0; i < inner && i < 1000; ++i) {
    ticks.push_back(static_cast<int32_t>(SendMessageW(slider, TBM_GETTIC, i, 0)));
  }
  const int32_t start = vertical ? channel.top : channel.left;
  const int32_t end = vertical ? channel.bottom : channel.right;
  const int32_t thumbLength = vertical ? thumb.bottom - thumb.top : thumb.right - thumb.left;
  graphics::GfxSolidBrush brush;
  if (!brush.Create(ArgbFromColorref(0x000000, 110))) return;
  for (const int32_t tick : ticks) {
    const auto at = static_cast<float>(
        static_cast<int32_t>(PositionAlong(tick, low, high, start, end, thumbLength)));
    for (const auto& [from, to] : spans) {
      const auto a = static_cast<float>(from);
      const auto length = static_cast<float>(to - from);
      if (vertical) {
        g.FillRectangle(brush, a, at, length, 1);
      } else {
        g.FillRectangle(brush, at, a, 1, length);
      }
    }
  }
}

}  // namespace

std::vector<std::pair<LONG, LONG>> TickSpans(const RECT& thumb, bool vertical, int32_t tickSide) {
  const LONG before = vertical ? thumb.left : thumb.top;
  const LONG after = vertical ? thumb.right : thumb.bottom;
  std::vector<std::pair<LONG, LONG>> spans;
  if (tickSide == kTicksTopOrLeft || tickSide == kTicksBoth)
    spans.emplace_back(before - 4, before - 1);
  if (tickSide == kTicksBottomOrRight || tickSide == kTicksBoth)
    spans.emplace_back(after + 1, after + 4);
  return spans;
}

int32_t TickSideOf(LONG style) {
  if (style & TBS_NOTICKS) return kTicksNone;
  if (style & TBS_TOP) return kTicksTopOrLeft;
  if (style & TBS_BOTH) return kTicksBoth;
  return kTicksBottomOrRight;
}

RECT ChannelToDraw(RECT channel, bool vertical, bool selectionShown) {
  const LONG w = channel.right - channel.left;
  const LONG h = channel.bottom - channel.top;
  if (vertical && w > h) {
    channel = RECT{channel.top, channel.left, channel.bottom, channel.right};
  }
  if (!selectionShown) return channel;
  if (vertical) {
    const LONG mid = (channel.left + channel.right) / 2;
    channel.left = mid - 2;
    channel.right = mid + 2;
  } else {
    const LONG mid = (channel.top + channel.bottom) / 2;
    channel.top = mid - 2;
    channel.bottom = mid + 2;
  }
  return channel;
}

graphics::GfxRectF ThumbCircle(const RECT& thumb, bool vertical, int32_t tickSide) {
  const LONG along = vertical ? thumb.bottom - thumb.top : thumb.right - thumb.left;
  const LONG across = vertical ? thumb.right - thumb.left : thumb.bottom - thumb.top;
  const LONG d = std::max<LONG>(std::min(along, across) - 1, 1);
  const LONG alongStart = (vertical ? thumb.top : thumb.left) + (along - d) / 2;
  const LONG acrossBase = vertical ? thumb.left : thumb.top;
  LONG acrossStart = acrossBase + (across - d) / 2;
  if (tickSide == kTicksBottomOrRight) acrossStart = acrossBase;
  if (tickSide == kTicksTopOrLeft) acrossStart = acrossBase + across - d - 1;
  const auto a = static_cast<float>(alongStart);
  const auto c = static_cast<float>(acrossStart);
  const auto size = static_cast<float>(d);
  return vertical ? graphics::GfxRectF{c, a, size, size} : graphics::GfxRectF{a, c, size, size};
}

float PositionAlong(int32_t position, int32_t low, int32_t high, int32_t start, int32_t end,
                    int32_t thumbLength) {
  const float first = static_cast<float>(start) + static_cast<float>(thumbLength) / 2;
  const float last = static_cast<float>(end) - static_cast<float>(thumbLength) / 2;
  if (high <= low) return first;
  const float share =
      static_cast<float>(std::clamp(position, low, high) - low) / static_cast<float>(high - low);
  return first + share * (last - first);
}

namespace {

void PaintFace(ControlRecord& record, HDC dc) { PaintSliderOn(record.window, dc); }

// A slider laid out at another size gets the thumb for it at the window's DPI.
bool Handle(SkinnedMessage& m, LRESULT* result) {
  if (m.message == WM_SETFOCUS || m.message == WM_KILLFOCUS) {
    *result = m.Chain();
    if (FocusCuesOn(m.window)) InvalidateRect(m.window, nullptr, TRUE);
    return true;
  }
  if (m.message != WM_SIZE) return false;
  *result = m.Chain();
  if (m.record) FitSliderThumb(m.As<SliderSkin>(), ControlDpi(m.window));
  return true;
}

constexpr KindOps kSliderOps{kListTrackbars, kHwKeys, kHoverSlider, FaceKind::kWholeWindow,
                             PaintFace,      nullptr, nullptr,      Handle};

}  // namespace

SliderSkin* SliderOf(HWND window) { return RecordOf<SliderSkin>(window, kListTrackbars); }

void AttachSliders(WindowSkinRecord* ownerRecord, HWND parent) {
  AttachChildrenOfClass<&kSliderOps, SliderSkin>(
      ownerRecord, parent, TRACKBAR_CLASSW, [](SliderSkin& slider, HWND child) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        slider.vertical = (style & TBS_VERT) ? 1 : 0;
        slider.tickSide = TickSideOf(style);
        slider.selectionShown = (style & TBS_ENABLESELRANGE) ? 1 : 0;
        FitSliderThumb(slider, ControlDpi(child));
        InvalidateRect(child, nullptr, TRUE);
      });
}

void PaintSliderOn(HWND window, HDC target) {
  const SkinSettings& settings = SettingsOf(window);
  const SliderSkin* slider = SliderOf(window);
  if (!slider || !target) return;
  RECT box{};
  GetWindowRect(window, &box);
  FaceCanvas canvas(window, RECT{0, 0, box.right - box.left, box.bottom - box.top});
  if (!canvas.ok()) return;
  GfxGraphics& g = canvas.g();
  g.SetSmoothingMode(graphics::kSmoothingAntiAlias);
  const float w = canvas.width();
  const float h = canvas.height();
  const bool vertical = slider->vertical != 0;
  const bool selection = slider->selectionShown != 0;
  const POINT origin = ClientOrigin(window);
  if (settings.outlineEnabled != 0) PaintFrame(g, w, h, vertical);
  const RECT channel =
      ChannelToDraw(Reported(window, TBM_GETCHANNELRECT, origin), vertical, selection);
  const RECT thumb = Reported(window, TBM_GETTHUMBRECT, origin);
  PaintChannel(g, channel);
  PaintTicks(g, window, channel, thumb, vertical, slider->tickSide);
  PaintThumb(g, ThumbCircle(thumb, vertical, slider->tickSide));
  if (selection) PaintSelection(g, window, channel, thumb, vertical);
  // The keyboard's focus shows as on edits and lists; the trackbar's own dotted one is painted
  // over.
  const bool cue = FocusCueShown(window);
  if (cue) {
    const CueStroke s = FrameCueStroke(canvas.widthPx(), canvas.heightPx());
    StrokeRectangle(g, s.x, s.y, s.width, s.height, settings.accentColour, s.alpha, s.pen);
  } else if (slider->hot) {
    graphics::GfxPen pen;
    if (pen.Create(ArgbFromColorref(settings.accentColour, 200)))
      g.DrawRectangle(pen, 1, 1, w - 3, h - 3);
  }
  NoteFace(window, (slider->hot ? kStateHot : 0) | (cue ? kStateFocus : 0), {});
  canvas.CopyTo(target);
}

void PaintSlider(HWND slider) { RepaintNow(slider, kSliderOps); }

}  // namespace skin::controls
