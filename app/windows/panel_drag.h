// Decisions of the panel drag, apart from the window glue.
#pragma once

namespace app {

struct PanelBounds {
  int left, top, width, height;
};

// A press starts the drag only strictly inside the panel: the edges themselves do not count.
constexpr bool PressIsInsidePanel(const PanelBounds& p, int x, int y) {
  return p.left < x && x < p.left + p.width && p.top < y && y < p.top + p.height;
}

struct PanelCorner {
  int left, top;
};

// Where the dragged panel's corner goes for a pointer at (x, y): the panel stays inside the
// client area (it may touch the edges). Where the area is smaller than the panel, the corner may
// lie between the area's edge and the panel's home (its designed place): never further up or
// left, so its controls can never all be dragged away, and at home the caption drawn above it
// stays readable in the smallest window.
struct PanelHome {
  int left = 0, top = 0;
};
constexpr PanelCorner KeepPanelInside(int x, int y, int panelWidth, int panelHeight,
                                      int clientWidth, int clientHeight, PanelHome home = {}) {
  const int roomX = clientWidth - panelWidth, roomY = clientHeight - panelHeight;
  const int maxLeft = roomX > home.left ? roomX : home.left;
  const int maxTop = roomY > home.top ? roomY : home.top;
  return {x < 0 ? 0 : (x > maxLeft ? maxLeft : x), y < 0 ? 0 : (y > maxTop ? maxTop : y)};
}

// A drag in progress keeps the point it grabbed, relative to the panel's corner, under the
// pointer: the panel does not jump to put its corner there.
struct PanelDrag {
  bool active = false;
  int grabX = 0, grabY = 0;

  void Begin(const PanelBounds& p, int x, int y) {
    active = true;
    grabX = x - p.left;
    grabY = y - p.top;
  }
  PanelCorner CornerFor(int x, int y, const PanelBounds& p, int clientWidth, int clientHeight,
                        PanelHome home) const {
    return KeepPanelInside(x - grabX, y - grabY, p.width, p.height, clientWidth, clientHeight,
                           home);
  }
};

}  // namespace app
