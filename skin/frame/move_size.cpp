#include "skin/frame/move_size.h"

#include <windowsx.h>

#include "skin/caption/caption_strip.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"

namespace skin {
namespace {

// Rows 4 to 11: the edges, then the corners.
PressZone SizingZone(int32_t m, int32_t x, int32_t y, int32_t w, int32_t h) {
  constexpr int32_t c = kSizingCorner;
  if (x <= m && 10 < y && y < h - 10) return {PressAction::kSize, SC_SIZE | WMSZ_LEFT, IDC_SIZEWE};
  if (x >= w - m && 10 < y && y < h - 10) {
    return {PressAction::kSize, SC_SIZE | WMSZ_RIGHT, IDC_SIZEWE};
  }
  if (10 < x && x < w - 10 && y <= m) return {PressAction::kSize, SC_SIZE | WMSZ_TOP, IDC_SIZENS};
  if (10 < x && x < w - 10 && y >= h - m) {
    return {PressAction::kSize, SC_SIZE | WMSZ_BOTTOM, IDC_SIZENS};
  }
  if (x <= c && y <= c) return {PressAction::kSize, SC_SIZE | WMSZ_TOPLEFT, IDC_SIZENWSE};
  if (x >= w - c && y <= c) return {PressAction::kSize, SC_SIZE | WMSZ_TOPRIGHT, IDC_SIZENESW};
  if (x <= c && y >= h - c) return {PressAction::kSize, SC_SIZE | WMSZ_BOTTOMLEFT, IDC_SIZENESW};
  if (x >= w - c && y >= h - c) {
    return {PressAction::kSize, SC_SIZE | WMSZ_BOTTOMRIGHT, IDC_SIZENWSE};
  }
  return {};
}

}  // namespace

PressZone ZoneForPress(const WindowSkinRecord& record, int32_t frameMargin, int32_t x, int32_t y,
                       int32_t width, int32_t height) {
  if (record.stripX <= x && x <= record.stripX + record.stripWidth && 3 <= y &&
      y <= record.stripHeight) {
    return {};
  }
  if (record.captionActive == 0) return {};
  if (record.sizable == 0 && y <= record.captionHeight) return {PressAction::kMove, 0, nullptr};
  const PressZone sizing = SizingZone(frameMargin, x, y, width, height);
  if (sizing.action != PressAction::kNone) return sizing;
  if (y <= record.captionHeight) return {PressAction::kMove, 0, nullptr};
  return {};
}

LPCWSTR SizeCursorFor(const WindowSkinRecord& record, int32_t frameMargin, int32_t x, int32_t y,
                      int32_t width, int32_t height) {
  if (record.sizable == 0) return nullptr;
  return SizingZone(frameMargin, x, y, width, height).cursor;
}

bool FrameTakesPress(HWND window, int32_t x, int32_t y) {
  const WindowSkinRecord* record = FrameRecordOf(window);
  if (!record || !record->engine || record->captionActive == 0) return false;
  if (HitTestCaptionButton(*record, x, y) > 0) return true;
  // The frame starts no move or size while maximised or minimised.
  if (record->maximised || record->minimised) return false;
  RECT client{};
  GetClientRect(window, &client);
  return ZoneForPress(*record, record->Px(record->engine->frameMargin), x, y, client.right,
                      client.bottom)
             .action != PressAction::kNone;
}

bool RouteEdgeMouseToFrame(MSG& msg) {
  if (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONDOWN) return false;
  if (!msg.hwnd || GetCapture()) return false;
  const HWND frame = GetAncestor(msg.hwnd, GA_ROOT);
  if (!frame || frame == msg.hwnd) return false;
  const WindowSkinRecord* record = FrameRecordOf(frame);
  if (!record || !record->engine || record->captionActive == 0 || record->maximised ||
      record->minimised) {
    return false;
  }
  POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  MapWindowPoints(msg.hwnd, frame, &p, 1);
  RECT client{};
  GetClientRect(frame, &client);
  if (!SizeCursorFor(*record, record->Px(record->engine->frameMargin), p.x, p.y, client.right,
                     client.bottom)) {
    return false;
  }
  msg.hwnd = frame;
  msg.lParam = MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
  return true;
}

}  // namespace skin
