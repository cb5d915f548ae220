#include "app/windows/unit_scale.h"

#include <utility>

#include "graphics/dpi_context.h"
#include "graphics/dpi_font.h"
#include "graphics/dpi_scale.h"

namespace app {
namespace {

void Place(HWND unit, const RECT& r) {
  SetWindowPos(unit, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

RECT UnitRect(const UnitGeometry& g, int dpi) {
  return graphics::ScaleBox(g.left, g.top, g.width, g.height, dpi);
}

UnitGeometry ScaledUnit(const UnitGeometry& design, int dpi) {
  const RECT r = UnitRect(design, dpi);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

HFONT UnitFont(int dpi) {
  return graphics::FontForDpi(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)),
                              graphics::SystemDpi(), dpi);
}

void ScaleUnits(const PlayerUnits& units, int oldDpi, int dpi) {
  if (!units.分组框1) return;
  RECT panel{};
  GetWindowRect(units.分组框1, &panel);
  MapWindowPoints(nullptr, units.window, reinterpret_cast<POINT*>(&panel), 2);
  const int left = graphics::ScaleLength(graphics::UnscaleLength(panel.left, oldDpi), dpi);
  const int top = graphics::ScaleLength(graphics::UnscaleLength(panel.top, oldDpi), dpi);
  const RECT box = UnitRect(k分组框1, dpi);
  Place(units.分组框1, {left, top, left + box.right - box.left, top + box.bottom - box.top});
  const std::pair<HWND, const UnitGeometry*> inside[] = {
      {units.列表框1, &k列表框1},
      {units.按钮_更换背景, &k按钮_更换背景},
      {units.列表框2, &k列表框2},
      {units.按钮_换一批, &k按钮_换一批},
      {units.单选框_列表循环, &k单选框_列表循环},
      {units.单选框_单曲循环, &k单选框_单曲循环},
      {units.按钮_下载, &k按钮_下载},
  };
  const HFONT font = UnitFont(dpi);
  for (const auto& [unit, design] : inside) {
    if (!unit) continue;
    SendMessageW(unit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Place(unit, UnitRect(*design, dpi));
  }
}

}  // namespace app
