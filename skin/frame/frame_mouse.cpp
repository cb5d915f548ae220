// The mouse on a skinned frame: hover fades of the caption buttons, presses (a caption button
// takes the capture until its release), and moving and sizing by the edges and the caption.
#include <windowsx.h>

#include "skin/caption/button_fade.h"
#include "skin/caption/caption_strip.h"
#include "skin/frame/move_size.h"
#include "skin/skin_engine.h"

namespace skin {
namespace {

UINT_PTR FadeTimerId(HWND hwnd) { return reinterpret_cast<UINT_PTR>(hwnd); }

int32_t XOf(LPARAM lParam) { return GET_X_LPARAM(lParam); }
int32_t YOf(LPARAM lParam) { return GET_Y_LPARAM(lParam); }

}  // namespace

void SkinEngine::OnMouseMove(int32_t index, HWND hwnd, LPARAM lParam) {
  WindowSkinRecord* record = RecordAt(index);
  RECT client{};
  GetClientRect(hwnd, &client);
  // Armed once per entry: re-arming on every move restarts the hover timer, so the pointer
  // would count as gone and the fade of the button under it would start again and again.
  if (!record->mouseTracked) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = hwnd;
    track.dwHoverTime = 1;
    if (TrackMouseEvent(&track)) record->mouseTracked = true;
  }
  if (record->captionActive == 0) return;
  const int32_t x = XOf(lParam);
  const int32_t y = YOf(lParam);
  const bool inStrip = InButtonStrip(*record, x, y);
  const int32_t pointedButton = skin::HitTestCaptionButton(*record, x, y);
  const FadeEffects effects = FadeOnMouseMove(*record, inStrip, pointedButton);
  if (effects.startTimer) SetTimer(hwnd, FadeTimerId(hwnd), kFadeInterval, nullptr);
  RunFadeDraws(index, effects.draws);
  if (!record->maximised) UpdateSizeCursor(index, lParam, client);
}

void SkinEngine::OnMouseLeave(int32_t index) {
  const FadeEffects effects = FadeOnMouseLeave(*RecordAt(index));
  RunFadeDraws(index, effects.draws);
}

void SkinEngine::OnFadeTimer(int32_t index, HWND hwnd) {
  const FadeEffects effects = FadeOnTick(*RecordAt(index));
  RunFadeDraws(index, effects.draws);
  if (effects.stopTimer) KillTimer(hwnd, FadeTimerId(hwnd));
}

void SkinEngine::RunFadeDraws(int32_t index, const std::vector<FadeDraw>& draws) {
  for (const FadeDraw& draw : draws) DrawCaptionButton(index, draw.button, false, draw.alpha);
}

void SkinEngine::OnLeftButtonDown(int32_t index, HWND hwnd, LPARAM lParam) {
  WindowSkinRecord* record = RecordAt(index);
  record->fadeIn.button = 0;
  record->pressedButton = 0;
  if (record->captionActive == 0) return;
  if (!record->maximised && !record->minimised) {
    RECT client{};
    GetClientRect(hwnd, &client);
    BeginMoveOrSize(index, lParam, client);
  }
  // Moving or sizing ran a modal loop: the window may be gone, or its record moved.
  const int32_t now = RecordIndexOf(hwnd);
  record = RecordAt(now);
  if (!record) return;
  const int32_t pointedButton = skin::HitTestCaptionButton(*record, XOf(lParam), YOf(lParam));
  record->pressedButton = pointedButton;
  if (pointedButton > 0) {
    SetCapture(hwnd);
    DrawCaptionButton(now, pointedButton, true);
  }
}

void SkinEngine::BeginMoveOrSize(int32_t index, LPARAM lParam, const RECT& client) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record) return;
  const PressZone zone = ZoneForPress(*record, record->Px(frameMargin), XOf(lParam), YOf(lParam),
                                      client.right, client.bottom);
  HWND hwnd = record->hwnd;
  if (zone.action == PressAction::kMove) {
    SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  } else if (zone.action == PressAction::kSize) {
    record->needsFullRedraw = true;
    SetCursor(LoadCursorW(nullptr, zone.cursor));
    SendMessageW(hwnd, WM_SYSCOMMAND, zone.sysCommand, 0);
  }
}

void SkinEngine::UpdateSizeCursor(int32_t index, LPARAM lParam, const RECT& client) {
  const WindowSkinRecord* record = RecordAt(index);
  if (!record) return;
  const LPCWSTR cursor = SizeCursorFor(*record, record->Px(frameMargin), XOf(lParam), YOf(lParam),
                                       client.right, client.bottom);
  if (cursor) SetCursor(LoadCursorW(nullptr, cursor));
}

}  // namespace skin
