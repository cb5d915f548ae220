#include "skin/frame/window_fonts.h"

#include <commctrl.h>

#include <vector>

#include "graphics/dpi_font.h"

namespace skin {
namespace {

struct Search {
  HWND top;
  std::vector<HWND> found;
};

void Refont(HWND window, int fromDpi, int toDpi) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (!font) return;  // the system's font, which no DPI change reaches
  const HFONT scaled = graphics::FontForDpi(font, fromDpi, toDpi);
  if (scaled != font) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
}

BOOL CALLBACK CollectChild(HWND child, LPARAM search) {
  reinterpret_cast<Search*>(search)->found.push_back(child);
  return TRUE;
}

// A tooltip has no parent: it belongs to the window its first tool lies in.
BOOL CALLBACK CollectTooltip(HWND window, LPARAM search) {
  wchar_t cls[32] = {};
  GetClassNameW(window, cls, static_cast<int>(std::size(cls)));
  if (lstrcmpiW(cls, TOOLTIPS_CLASSW) != 0) return TRUE;
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  if (!SendMessageW(window, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool))) return TRUE;
  auto* s = reinterpret_cast<Search*>(search);
  if (tool.hwnd && GetAncestor(tool.hwnd, GA_ROOT) == s->top) s->found.push_back(window);
  return TRUE;
}

}  // namespace

void RefontWindow(HWND top, int fromDpi, int toDpi) {
  if (!top || fromDpi == toDpi) return;
  Search search{top, {}};
  // Collected first: a control given a font may make or drop windows of its own.
  EnumChildWindows(top, CollectChild, reinterpret_cast<LPARAM>(&search));
  EnumThreadWindows(GetWindowThreadProcessId(top, nullptr), CollectTooltip,
                    reinterpret_cast<LPARAM>(&search));
  for (HWND window : search.found) {
    if (IsWindow(window)) Refont(window, fromDpi, toDpi);
  }
}

}  // namespace skin
