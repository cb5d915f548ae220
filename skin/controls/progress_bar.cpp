#include "skin/controls/progress_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_path.h"
#include "graphics/path_routines.h"
#include "skin/controls/face_canvas.h"
#include "skin/controls/skinned_control.h"
#include "skin/skin_settings.h"

namespace skin::controls {
namespace {

void FillGradient(graphics::GfxGraphics& g, const graphics::GfxPath& path, bool vertical,
                  const graphics::GfxRectF& box, graphics::Argb from, graphics::Argb to) {
  // Across the bar's thickness: top to bottom when it lies, left to right when it stands.
  const graphics::GfxPointF start{box.x, box.y};
  const graphics::GfxPointF end = vertical ? graphics::GfxPointF{box.x + box.width, box.y}
                                           : graphics::GfxPointF{box.x, box.y + box.height};
  graphics::GfxLinearBrush brush;
  if (brush.Create(start, end, from, to)) g.FillPath(brush, path);
}

// The outline and the trough on a clear layer of the control's size.
std::unique_ptr<graphics::GfxBitmap> DrawTrough(int32_t w, int32_t h, bool vertical) {
  auto layer = std::make_unique<graphics::GfxBitmap>();
  graphics::GfxGraphics g;
  if (!layer->Create(w, h, graphics::kPixelFormat32bppPArgb) || !g.FromImage(*layer)) {
    return nullptr;
  }
  g.Clear(0);
  g.SetSmoothingMode(graphics::kSmoothingAntiAlias);
  const auto fw = static_cast<float>(w);
  const auto fh = static_cast<float>(h);
  graphics::GfxPath frame;
  if (frame.Create() && graphics::AddRoundRect(frame, 0, 0, fw - 1, fh - 1, 5)) {
    graphics::StrokePath(g, frame, 1, 0x000000, 50);
  }
  graphics::GfxPath trough;
  if (trough.Create() && graphics::AddRoundRect(trough, 1, 1, fw - 2, fh - 2, 1)) {
    FillGradient(g, trough, vertical, {1, 1, fw - 2, fh - 2},
                 graphics::ArgbFromColorref(0xFFFFFF, 160), graphics::ArgbFromColorref(0, 30));
  }
  return layer;
}

void DrawFace(ProgressSkin& skin, HDC target) {
  HWND window = skin.window;
  const bool vertical = skin.vertical != 0;
  RECT outer{};
  GetWindowRect(window, &outer);
  const int32_t w = outer.right - outer.left;
  const int32_t h = outer.bottom - outer.top;
  if (w <= 0 || h <= 0 || !target) return;
  if (!skin.trough || skin.troughWidth != w || skin.troughHeight != h ||
      skin.troughVertical != skin.vertical) {
    skin.trough = DrawTrough(w, h, vertical);
    skin.troughWidth = w;
    skin.troughHeight = h;
    skin.troughVertical = skin.vertical;
  }
  FaceCanvas canvas(window, RECT{0, 0, w, h});
  if (!canvas.ok()) return;
  graphics::GfxGraphics& g = canvas.g();
  g.SetSmoothingMode(graphics::kSmoothingAntiAlias);
  std::vector<Layer> layers;
  if (skin.trough) {
    g.SetInterpolationMode(graphics::kInterpolationNearestNeighbor);  // laid on pixel for pixel
    g.DrawImageRect(*skin.trough, 0, 0, static_cast<float>(w), static_cast<float>(h));
    layers.push_back(Layer::kOutline);
    layers.push_back(Layer::kShade);
  }
  PBRANGE range{};
  SendMessageW(window, PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
  const auto pos = static_cast<int32_t>(SendMessageW(window, PBM_GETPOS, 0, 0));
  const int32_t filled = ProgressFilled(pos, range.iLow, range.iHigh, vertical ? h : w);
  const graphics::GfxRectF bar = ProgressBarShape(w, h, vertical, filled);
  graphics::GfxPath shape;
  if (bar.width > 0 && bar.height > 0 && shape.Create() &&
      graphics::AddRoundRect(shape, bar.x, bar.y, bar.width, bar.height, 3)) {
    FillGradient(g, shape, vertical, bar, graphics::ArgbFromColorref(0xFFFFFF, 90),
                 graphics::ArgbFromColorref(SettingsOf(skin.window).accentColour, 255));
    graphics::StrokePath(g, shape, 1, SettingsOf(skin.window).accentColour, 150);
    layers.push_back(Layer::kHotFill);
    layers.push_back(Layer::kHotOutline);
  }
  NoteFace(window, 0, layers);
  canvas.CopyTo(target);
}

}  // namespace

int32_t ProgressFilled(int32_t pos, int32_t low, int32_t high, int32_t length) {
  if (high == low || length <= 0) return 0;
  const int64_t done = static_cast<int64_t>(pos) - low;
  const int64_t span = static_cast<int64_t>(high) - low;
  const int64_t filled = done * length / span;
  return static_cast<int32_t>(std::clamp<int64_t>(filled, 0, length));
}

graphics::GfxRectF ProgressBarShape(int32_t w, int32_t h, bool vertical, int32_t filled) {
  if (filled <= 0) return {};
  const float side = static_cast<float>(filled) - 3;
  if (vertical) {
    const auto top = static_cast<float>(h - filled);
    return {1, top + 1, std::max(static_cast<float>(w) - 3, 0.0f), std::max(side, 0.0f)};
  }
  return {1, 1, std::max(side, 0.0f), std::max(static_cast<float>(h) - 3, 0.0f)};
}

namespace {

void PaintFace(ControlRecord& record, HDC dc) { DrawFace(static_cast<ProgressSkin&>(record), dc); }

bool Handle(SkinnedMessage& m, LRESULT*) {
  if (m.message == WM_STYLECHANGED) {
    m.As<ProgressSkin>().vertical = (GetWindowLongW(m.window, GWL_STYLE) & PBS_VERTICAL) ? 1 : 0;
  }
  return false;
}

constexpr KindOps kProgressOps{kListProgressBars, kHwKeys, kHoverNone, FaceKind::kWholeWindow,
                               PaintFace,         nullptr, nullptr,    Handle};

}  // namespace

ProgressSkin* ProgressSkinOf(HWND window) {
  return RecordOf<ProgressSkin>(window, kListProgressBars);
}

void AttachProgressBars(WindowSkinRecord* ownerRecord, HWND parent) {
  AttachChildrenOfClass<&kProgressOps, ProgressSkin>(
      ownerRecord, parent, PROGRESS_CLASSW, [](ProgressSkin& skin, HWND bar) {
        skin.vertical = (GetWindowLongW(bar, GWL_STYLE) & PBS_VERTICAL) ? 1 : 0;
        RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      });
}

void PaintProgressBar(HWND bar, HDC target) {
  ProgressSkin* skin = ProgressSkinOf(bar);
  if (!skin) return;
  if (target) {
    DrawFace(*skin, target);
  } else {
    RepaintNow(*skin);
  }
}

}  // namespace skin::controls
