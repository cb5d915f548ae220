#include "skin/controls/system_sizes.h"

#include <commctrl.h>

#include <vector>

#include "graphics/dpi_scale.h"
#include "skin/controls/slider.h"
#include "skin/controls/up_down.h"
#include "skin/window_record.h"

namespace skin::controls {
namespace {

// The control lays its channel and thumb out again on WM_SIZE.
void LayOutAgain(HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  SendMessageW(control, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void SetStyleBit(HWND window, LONG bit, bool on) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  SetWindowLongW(window, GWL_STYLE, on ? style | bit : style & ~bit);
}

}  // namespace

int32_t ThumbLengthFor(int32_t thickness, bool selectionRange, int dpi) {
  const auto px = [dpi](int length) { return graphics::ScaleLength(length, dpi); };
  const int32_t length = px(selectionRange ? 23 : 21);
  if (thickness >= length) return length;
  return thickness > px(9) ? thickness - px(5) : px(4);
}

void FitSliderThumb(SliderSkin& slider, int dpi) {
  HWND window = slider.window;
  if (!window || slider.fitting != 0) return;
  slider.fitting = 1;  // laying the control out again sends WM_SIZE, which fits the thumb
  if (slider.fixedThumb != 0) {
    // The control's own length first: where it already suits the DPI it stays the control's.
    SetStyleBit(window, TBS_FIXEDLENGTH, false);
    slider.fixedThumb = 0;
    LayOutAgain(window);
  }
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  RECT client{};
  GetClientRect(window, &client);
  const int32_t thickness = (style & TBS_VERT) ? client.right : client.bottom;
  const int32_t want = ThumbLengthFor(thickness, (style & TBS_ENABLESELRANGE) != 0, dpi);
  const auto own = static_cast<int32_t>(SendMessageW(window, TBM_GETTHUMBLENGTH, 0, 0));
  if (!(style & TBS_FIXEDLENGTH) && own != want && thickness > 0) {
    SetStyleBit(window, TBS_FIXEDLENGTH, true);
    slider.fixedThumb = 1;
    SendMessageW(window, TBM_SETTHUMBLENGTH, want, 0);
    LayOutAgain(window);
  }
  slider.fitting = 0;
}

void FitUpDownWidth(UpDownSkin& upDown, int dpi) {
  HWND window = upDown.window;
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  const auto buddy = reinterpret_cast<HWND>(SendMessageW(window, UDM_GETBUDDY, 0, 0));
  if (!window || !(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) || !buddy) return;
  RECT own{}, next{};
  GetWindowRect(window, &own);
  GetWindowRect(buddy, &next);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&own), 2);
  MapWindowPoints(nullptr, GetParent(buddy), reinterpret_cast<POINT*>(&next), 2);
  if (upDown.naturalDpi == 0) {
    upDown.naturalWidth = own.right - own.left;
    upDown.naturalDpi = dpi;
  }
  const int32_t want = MulDiv(upDown.naturalWidth, dpi, upDown.naturalDpi);
  const int32_t delta = want - (own.right - own.left);
  if (delta == 0) return;
  // The pair keeps its outer edges: the up-down grows inwards, into the buddy.
  if (style & UDS_ALIGNRIGHT) {
    own.left -= delta;
    next.right -= delta;
  } else {
    own.right += delta;
    next.left += delta;
  }
  if (next.right - next.left <= 0) return;
  constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(buddy, nullptr, next.left, next.top, next.right - next.left, next.bottom - next.top,
               kFlags);
  SetWindowPos(window, nullptr, own.left, own.top, own.right - own.left, own.bottom - own.top,
               kFlags);
}

void FitSystemSizes(const WindowSkinRecord& window) {
  // Handles first: the fits send messages, and the lists may change under them.
  std::vector<HWND> sliders, upDowns;
  for (const auto& r : window.controls[kListTrackbars]) {
    if (r && r->window) sliders.push_back(r->window);
  }
  for (const auto& r : window.controls[kListUpDowns]) {
    if (r && r->window) upDowns.push_back(r->window);
  }
  const int dpi = window.dpi;
  for (HWND s : sliders) {
    if (SliderSkin* slider = SliderOf(s)) FitSliderThumb(*slider, dpi);
  }
  for (HWND u : upDowns) {
    if (UpDownSkin* upDown = UpDownOf(u)) FitUpDownWidth(*upDown, dpi);
  }
}

}  // namespace skin::controls
