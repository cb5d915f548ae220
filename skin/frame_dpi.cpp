// A skinned window moved to a screen of another DPI.
#include "skin/caption_strip.h"
#include "skin/skin_engine.h"
#include "skin/window_records.h"

namespace skin {

void SkinEngine::OnDpiChanged(int32_t index, int dpi) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record || dpi <= 0 || dpi == record->dpi) return;
  record->dpi = dpi;
  record->captionHeight = record->Px(record->designCaptionHeight);
  for (CaptionButton& b : record->captionButtons) {
    b.width = record->Px(b.kind == kButtonClose ? kCloseButtonWidth : kCaptionButtonWidth);
    b.height = record->Px(kCaptionButtonHeight);
  }
  RECT client{};
  GetClientRect(record->hwnd, &client);
  PlaceStrip(*record, client.right, record->Px(frameMargin));
  LayoutCaptionButtons(index);
  // The composed background knows its DPI; the frame and its copies are made again.
  record->hoverButton = 0;
  record->needsFullRedraw = 1;
  InvalidateRect(record->hwnd, nullptr, TRUE);
}

}  // namespace skin
