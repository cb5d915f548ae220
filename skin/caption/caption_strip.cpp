#include "skin/caption/caption_strip.h"

#include <cmath>

namespace skin {

void PlaceStrip(WindowSkinRecord& record, int32_t clientRight, int32_t frameMargin) {
  int32_t widths = 0;
  for (const CaptionButton& b : record.captionButtons) widths += b.width;
  record.stripWidth = widths + record.Px(record.ButtonCount() - 1) + record.Px(3);
  record.stripHeight = record.Px(kStripHeight);
  record.stripX = clientRight - frameMargin - record.stripWidth - record.Px(2);
  record.stripY = 0;
}

void LayoutStripGeometry(WindowSkinRecord& record, int32_t clientRight) {
  record.stripX = clientRight - record.stripWidth + record.Px(1);
  record.stripHeight = record.Px(kStripHeight);
  const float left = static_cast<float>(record.stripX + record.Px(2));
  const float top = static_cast<float>(record.stripY + record.Px(1));
  for (int32_t i = 0; i < record.ButtonCount(); ++i) {
    CaptionButton& b = record.captionButtons[i];
    b.rect.x = left + static_cast<float>(i * (record.Px(kCaptionButtonWidth) + record.Px(1)));
    b.rect.y = top;
    b.rect.height = static_cast<float>(record.Px(kCaptionButtonHeight));
    b.rect.width = static_cast<float>(record.Px(b.kind == kButtonClose ? 40 : kCaptionButtonWidth));
  }
}

RECT ButtonToolRect(const CaptionButton& button) {
  const graphics::GfxRectF& r = button.rect;
  return RECT{static_cast<LONG>(std::lround(r.x)), static_cast<LONG>(std::lround(r.y)),
              static_cast<LONG>(std::lround(r.x + r.width)),
              static_cast<LONG>(std::lround(r.y + r.height))};
}

int32_t HitTestCaptionButton(const WindowSkinRecord& record, int32_t x, int32_t y) {
  if (x < record.stripX || y < record.stripY || y > record.stripY + record.stripHeight) return 0;
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  for (int32_t i = 0; i < record.ButtonCount(); ++i) {
    const graphics::GfxRectF& r = record.captionButtons[i].rect;
    if (r.x < fx && fx < r.x + r.width && r.y < fy && fy < r.y + r.height) return i + 1;
  }
  return 0;
}

bool InButtonStrip(const WindowSkinRecord& record, int32_t x, int32_t y) {
  return record.stripX - 2 <= x && x <= record.stripX + record.stripWidth && 0 <= y &&
         y <= record.stripHeight;
}

void CloseButtonShape(graphics::GfxPath& path, const graphics::GfxRectF& r, float radius) {
  path.AddLine(r.x, r.y + r.height, r.x, r.y);
  path.AddLine(r.x, r.y, r.x + r.width - radius, r.y);
  path.AddArc(r.x + r.width - radius, r.y, radius, radius, 270, 90);
  path.AddLine(r.x + r.width, r.y + radius / 2, r.x + r.width, r.y + r.height);
  path.CloseFigure();
}

int32_t FindMaximizeButton(const WindowSkinRecord& record) {
  for (int32_t i = 0; i < record.ButtonCount(); ++i) {
    if (record.captionButtons[i].kind == kButtonMaximize) return i + 1;
  }
  return 0;
}

}  // namespace skin
