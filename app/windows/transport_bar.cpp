#include "app/windows/transport_bar.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "app/announcer.h"
#include "app/data/language.h"
#include "app/windows/unit_scale.h"
#include "graphics/dpi_scale.h"
#include "skin/subclass.h"

namespace app {
namespace {

constexpr int kRowHeight = 24;
constexpr int kGap = 4;
constexpr int kButtonWidth = 40;
constexpr int kVolumeWidth = 60;
constexpr int kMuteWidth = 52;

// Made at no size: Layout places it.
HWND MakeControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
  HWND control = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0,
                                 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  // Above the face, which lies at the bottom of its siblings.
  SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return control;
}

void SetTextIfChanged(HWND window, const std::wstring& text) {
  wchar_t now[64] = {};
  GetWindowTextW(window, now, static_cast<int>(std::size(now)));
  if (text != now) SetWindowTextW(window, text.c_str());
}

bool Dragging(HWND bar) { return GetCapture() == bar; }

// A press on the seek bar's channel first brings the thumb under the pointer, so the trackbar
// takes it as a press on the thumb: the song moves there on release, and the press can go on
// as a drag. (A trackbar alone would only step a page towards the pointer.)
LRESULT CALLBACK SeekBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  if (message == WM_LBUTTONDOWN) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT thumb{}, channel{};
    SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageW(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const LONG min = static_cast<LONG>(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0));
    const LONG max = static_cast<LONG>(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0));
    const LONG width = channel.right - channel.left;
    if (!PtInRect(&thumb, at) && width > 0 && max > min) {
      const LONG x = std::clamp(at.x, channel.left, channel.right) - channel.left;
      SendMessageW(bar, TBM_SETPOS, TRUE, min + MulDiv(x, max - min, width));
    }
  } else if (message == WM_NCDESTROY) {
    skin::Unsubclass(bar, SeekBarProc);
  }
  return skin::CallNext(bar, message, wParam, lParam);
}

}  // namespace

std::wstring VolumeText(int heardVolume) {
  return Texts().volume +
         (L" " + (heardVolume < 0 ? std::wstring(L"?") : std::to_wstring(heardVolume)));
}

TransportBar::TransportBar(HWND parent, HWND face, MediaPlayerUnit& player,
                           std::function<void(PlayerCommand)> command, int dpi)
    : player_(player), command_(std::move(command)) {
  seek_ = MakeControl(parent, TRACKBAR_CLASSW, Texts().seek, TBS_HORZ | TBS_NOTICKS, kIdSeekBar);
  skin::Subclass(seek_, SeekBarProc, nullptr);
  playPause_ = MakeControl(parent, L"Button", Texts().play, BS_PUSHBUTTON, kIdPlayPause);
  stop_ = MakeControl(parent, L"Button", Texts().stop, BS_PUSHBUTTON, kIdStop);
  volume_ = MakeControl(parent, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_NOTICKS, kIdVolumeBar);
  // Not an automatic check box: its mark shows the player's mute, set by Refresh.
  mute_ = MakeControl(parent, L"Button", Texts().mute, BS_CHECKBOX, kIdMute);
  Layout(face, dpi);
  SendMessageW(volume_, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
  SendMessageW(volume_, TBM_SETLINESIZE, 0, kVolumeStep);
  SendMessageW(volume_, TBM_SETPAGESIZE, 0, 2 * kVolumeStep);
  SendMessageW(seek_, TBM_SETLINESIZE, 0, kSeekUnitsPerSecond);
  Refresh();
}

void TransportBar::Layout(HWND face, int dpi) {
  const auto px = [dpi](int length) { return graphics::ScaleLength(length, dpi); };
  RECT place;
  GetWindowRect(face, &place);
  MapWindowPoints(nullptr, GetParent(face), reinterpret_cast<POINT*>(&place), 2);
  // Two rows at the bottom of the face: the seek bar across, the buttons and the volume under
  // it, clear of the download button that lies over the face's lower right corner.
  const int row = px(kRowHeight), gap = px(kGap);
  const int left = place.left + px(8), right = place.right - px(8);
  const int lower = place.bottom - row - px(6);
  const int upper = lower - row - gap;
  const auto put = [&](HWND w, int x, int y, int width) {
    SetWindowPos(w, nullptr, x, y, width, row, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(UnitFont(dpi)), TRUE);
  };
  put(seek_, left, upper, right - left);
  int x = left;
  put(playPause_, x, lower, px(kButtonWidth));
  x += px(kButtonWidth) + gap;
  put(stop_, x, lower, px(kButtonWidth));
  x += px(kButtonWidth) + gap;
  put(volume_, x, lower, px(kVolumeWidth));
  x += px(kVolumeWidth) + gap;
  put(mute_, x, lower, px(kMuteWidth));
}

TransportBar::~TransportBar() {
  for (HWND w : TabStops()) {
    if (w) DestroyWindow(w);
  }
}

void TransportBar::Refresh() {
  const MediaPlayerUnit::Activity now = player_.activity();
  const bool running =
      now == MediaPlayerUnit::Activity::kPlaying || now == MediaPlayerUnit::Activity::kLoading;
  SetTextIfChanged(playPause_, running ? Texts().pause : Texts().play);
  // The language may have changed since the last refresh.
  SetTextIfChanged(stop_, Texts().stop);
  SetTextIfChanged(mute_, Texts().mute);
  SetTextIfChanged(seek_, Texts().seek);

  if (!Dragging(seek_)) {
    const double duration = player_.DurationSeconds();
    const int range = static_cast<int>(std::lround(duration * kSeekUnitsPerSecond));
    if (range != seekRange_) {
      seekRange_ = range;
      SendMessageW(seek_, TBM_SETRANGEMAX, TRUE, range);
      SendMessageW(seek_, TBM_SETPAGESIZE, 0, range / 10 > 0 ? range / 10 : 1);
    }
    const double position = player_.PositionSeconds();
    const LPARAM at = static_cast<LPARAM>(std::lround(position * kSeekUnitsPerSecond));
    if (SendMessageW(seek_, TBM_GETPOS, 0, 0) != at) SendMessageW(seek_, TBM_SETPOS, TRUE, at);
  }
  if (!Dragging(volume_) && SendMessageW(volume_, TBM_GETPOS, 0, 0) != player_.volume()) {
    SendMessageW(volume_, TBM_SETPOS, TRUE, player_.volume());
  }
  SetTextIfChanged(volume_, VolumeText(player_.HeardVolume()));
  const WPARAM check = player_.muted() ? BST_CHECKED : BST_UNCHECKED;
  if (static_cast<WPARAM>(SendMessageW(mute_, BM_GETCHECK, 0, 0)) != check) {
    SendMessageW(mute_, BM_SETCHECK, check, 0);
  }
}

bool TransportBar::OnCommand(int unitId, int code) {
  if (code != BN_CLICKED) return false;
  switch (unitId) {
    case kIdPlayPause:
      command_(PlayerCommand::kPlayPause);
      break;
    case kIdStop:
      command_(PlayerCommand::kStop);
      break;
    case kIdMute:
      command_(PlayerCommand::kMute);
      break;
    default:
      return false;
  }
  Refresh();
  return true;
}

bool TransportBar::OnScroll(HWND bar, int code) {
  if (bar == volume_) {
    if (code != TB_ENDTRACK) {
      player_.SetVolume(static_cast<int>(SendMessageW(volume_, TBM_GETPOS, 0, 0)));
    }
    return true;
  }
  if (bar != seek_) return false;
  // The thumb follows the pointer while it is held; the song moves when it is let go.
  if (code != TB_THUMBTRACK && code != TB_ENDTRACK) {
    const LRESULT at = SendMessageW(seek_, TBM_GETPOS, 0, 0);
    player_.SeekTo(static_cast<double>(at) / kSeekUnitsPerSecond);
    Announce().Say("seek ", at);
  }
  return true;
}

}  // namespace app
