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

}  // namespace app
