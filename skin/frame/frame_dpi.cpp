// A skinned window moved to a screen of another DPI.
#include "graphics/dpi_context.h"
#include "graphics/dpi_scale.h"
#include "skin/backdrop/control_dpi.h"
#include "skin/caption/caption_glyphs.h"
#include "skin/caption/caption_strip.h"
#include "skin/controls/system_sizes.h"
#include "skin/frame/window_fonts.h"
#include "skin/skin_engine.h"
#include "skin/window_records.h"

namespace skin {

int ControlDpi(HWND control) {
  HWND root = GetAncestor(control, GA_ROOT);
  if (const WindowSkinRecord* record = FrameRecordOf(root ? root : control)) {
    return record->dpi;
  }
  return graphics::DpiForWindow(control);
}

void SkinEngine::OnDpiChanged(int32_t index, int dpi) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record || !graphics::IsUsableDpi(dpi) || dpi == record->dpi) return;
  const int old = record->dpi;
  record->dpi = dpi;
  record->captionHeight = record->Px(record->designCaptionHeight);
  // The engine's own glyphs come drawn for the new size; a caller's picture stays as given.
  for (CaptionButton& b : record->captionButtons) FitButtonToDpi(b, dpi);
  RECT client{};
  GetClientRect(record->hwnd, &client);
  PlaceStrip(*record, client.right, record->Px(frameMargin));
  LayoutCaptionButtons(index);
  LayoutStatusBar(index);
  // The composed background knows its DPI; the frame and its copies are made again.
  record->hoverButton = 0;
  record->needsFullRedraw = true;
  HWND window = record->hwnd;
  // The controls' captions and the hints follow (their skins re-read the font they are given).
  RefontWindow(window, old, dpi);
  if ((record = RecordAt(index))) controls::FitSystemSizes(*record);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace skin
