#include "skin/frame/status_bar.h"

#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_string_format.h"
#include "graphics/path_routines.h"
#include "skin/frame/skin_font.h"

namespace skin {

void StartStatusBar(WindowSkinRecord& record, int32_t height,
                    const std::vector<std::wstring>& items, int32_t frameMargin) {
  if (height <= 0) return;
  record.statusBar.height = height;
  record.statusBar.items.clear();
  if (items.empty()) {
    record.statusBar.items.push_back({});
  } else {
    for (const std::wstring& text : items) record.statusBar.items.push_back({text, {}});
  }
  LayoutStatusBar(record, frameMargin);
}

void LayoutStatusBar(WindowSkinRecord& record, int32_t frameMargin) {
  StatusBar& bar = record.statusBar;
  if (bar.height <= 0) return;
  RECT client{};
  GetClientRect(record.hwnd, &client);
  // The height and the margins are 96-dpi lengths, like every frame metric.
  const int32_t m = record.Px(frameMargin);
  const int32_t height = record.Px(bar.height);
  const int32_t y = client.bottom - m - height - record.Px(1);
  const int32_t width = client.right - 2 * m;
  bar.rect = RECT{m, y, m + width, y + height};
  // The items share the bar equally, the last one taking what the division leaves.
  const auto count = static_cast<int32_t>(bar.items.size());
  for (int32_t i = 0; i < count; ++i) {
    const int32_t left = m + width * i / count;
    const int32_t right = m + width * (i + 1) / count;
    bar.items[i].rect = RECT{left, y, right, y + height};
  }
}

std::optional<RECT> DrawStatusBarItem(WindowSkinRecord& record, int32_t item) {
  if (!record.backBuffer.dc() || !record.statusCopy.dc()) return std::nullopt;
  StatusBar& bar = record.statusBar;
  if (item < 1 || item > static_cast<int32_t>(bar.items.size())) return std::nullopt;
  const StatusBarItem& entry = bar.items[item - 1];
  const RECT& r = entry.rect;
  HDC back = record.backBuffer.dc();
  BitBlt(back, r.left, r.top, r.right - r.left, r.bottom - r.top, record.statusCopy.dc(),
         r.left - bar.rect.left, r.top - bar.rect.top, SRCCOPY);
  if (entry.text.empty()) return r;
  graphics::GfxGraphics g;
  graphics::GfxFont font;
  graphics::GfxStringFormat format;
  graphics::GfxSolidBrush brush;
  if (g.FromHdc(back) &&
      CreateSkinFont(font, bar.fontName, record.Px(bar.fontSize), bar.textFlag) &&
      format.Create(0x1000) && format.SetLineAlignment(1) &&
      brush.Create(graphics::ArgbFromColorref(bar.textColour, 255))) {
    const int32_t inset = record.Px(4);
    const graphics::GfxRectF layout{static_cast<float>(r.left + inset), static_cast<float>(r.top),
                                    static_cast<float>(r.right - r.left - 2 * inset),
                                    static_cast<float>(r.bottom - r.top)};
    g.DrawString(entry.text, font, layout, format, brush);
  }
  return r;
}

void StyleStatusBar(StatusBar& bar, std::optional<int32_t> flag, std::optional<COLORREF> colour,
                    std::optional<std::wstring> fontName, std::optional<int32_t> fontSize) {
  if (flag) bar.textFlag = *flag;
  if (colour) bar.textColour = *colour;
  if (fontName) bar.fontName = *std::move(fontName);
  if (fontSize) bar.fontSize = *fontSize;
}

}  // namespace skin
