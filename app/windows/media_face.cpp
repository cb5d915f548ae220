#include "app/windows/media_face.h"

#include <algorithm>
#include <cstdio>

#include "app/announcer.h"
#include "app/data/language.h"
#include "app/desktop/status_accessible.h"
#include "app/windows/song_download.h"
#include "app/windows/text_card.h"
#include "app/windows/unit_scale.h"
#include "graphics/dpi_context.h"
#include "graphics/dpi_scale.h"
#include "skin/caption/glyph_fallback.h"

namespace app {
namespace {

constexpr wchar_t kFaceClass[] = L"VeloryMediaFace";
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 250;

const wchar_t* ActivityText(MediaPlayerUnit::Activity activity) {
  switch (activity) {
    case MediaPlayerUnit::Activity::kPlaying:
      return Texts().playing;
    case MediaPlayerUnit::Activity::kLoading:
      return Texts().loading;
    case MediaPlayerUnit::Activity::kPaused:
      return Texts().paused;
    default:
      return Texts().stopped;
  }
}

// The song's number and the time: 28 pixels at 96 dpi.
HFONT LargeFont(int dpi) {
  return CreateFontW(-graphics::ScaleLength(28, dpi), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0,
                     0, CLEARTYPE_QUALITY, 0, L"Microsoft YaHei");
}

}  // namespace

std::wstring FaceText(int songNumber, MediaPlayerUnit::Activity activity, double seconds,
                      const std::wstring& state) {
  const std::wstring song = songNumber > 0 ? VisibleEntry(songNumber) : L"--";
  const long whole = seconds > 0 && seconds < 1e7 ? static_cast<long>(seconds) : 0;
  wchar_t time[32];
  std::swprintf(time, std::size(time), L"%ld:%02ld", whole / 60, whole % 60);
  return song + L" " + (state.empty() ? ActivityText(activity) : state) + L" " + time;
}

MediaFace::MediaFace(const MediaPlayerUnit& player, std::function<catalogue::NowPlaying()> song)
    : player_(player), song_(std::move(song)) {
  HWND control = player_.window();
  if (!control) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = FaceProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kFaceClass;
  RegisterClassExW(&wc);  // fails harmlessly when already registered
  control_ = control;
  dpi_ = graphics::DpiForWindow(control);
  RECT place;
  GetWindowRect(control, &place);
  HWND parent = GetParent(control);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  // Beneath its siblings and clipped by them: the download button lies over the unit's place.
  window_ = CreateWindowExW(0, kFaceClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place.left,
                            place.top, place.right - place.left, place.bottom - place.top, parent,
                            nullptr, wc.hInstance, nullptr);
  if (!window_) return;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(control, SW_HIDE);
  large_.Reset(LargeFont(dpi_));
  SetTimer(window_, kRefreshTimer, kRefreshMs, nullptr);
  Refresh();
}

MediaFace::~MediaFace() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

std::wstring MediaFace::StateText() const {
  const MediaPlayerUnit::Activity activity = player_.activity();
  std::wstring state = ActivityText(activity);
  if (activity == MediaPlayerUnit::Activity::kLoading) {
    const SongLoader::Progress p = player_.loadProgress();
    if (p.total > 0) {
      state +=
          L" " + std::to_wstring(std::min<uint64_t>(p.received, p.total) * 100 / p.total) + L"%";
    } else if (p.received > 0) {
      state += L" " + std::to_wstring(p.received / 1024) + L" KB";
    }
  } else if (player_.failed()) {
    state = FailureReason(player_.failure());
    if (state.empty()) state = Texts().cannotPlay;
  }
  const std::wstring note = note_ ? note_() : std::wstring();
  return note.empty() ? state : state + L" · " + note;
}

void MediaFace::Refresh() {
  std::wstring explanation = explanation_ ? explanation_() : std::wstring();
  const bool explaining = !explanation.empty();
  const catalogue::NowPlaying song = !explaining && song_ ? song_() : catalogue::NowPlaying{};
  std::wstring line = explaining ? std::move(explanation)
                                 : FaceText(song.number, player_.activity(),
                                            player_.PositionSeconds(), StateText());
  // Every refresh, changed or not: what the face shows after a step the test took is then
  // always announced after it.
  if (Announce().on()) {
    std::wstring said = line;
    std::replace(said.begin(), said.end(), L'\n', L' ');
    Announce().Say("face ", said, "\t", song.title);
  }
  if (line == line_ && song.title == title_) return;
  explaining_ = explaining;
  line_ = std::move(line);
  if (song.title != title_) {
    title_ = song.title;
    ChooseTitleFont();
  }
  const std::wstring text = title_.empty() ? line_ : line_ + L"\n" + title_;
  SetWindowTextW(window_, text.c_str());
  AnnounceStatusChange(window_);
  InvalidateRect(window_, nullptr, FALSE);
}

// The top of the highest visible sibling that lies over the face's lower part, in the face's
// coordinates; the face's height when there is none.
static int FreeHeight(HWND face) {
  RECT mine;
  GetWindowRect(face, &mine);
  int free = mine.bottom - mine.top;
  for (HWND w = GetWindow(face, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) {
    RECT r, common;
    if (w == face || !IsWindowVisible(w) || !GetWindowRect(w, &r)) continue;
    if (!IntersectRect(&common, &mine, &r) || r.top - mine.top < free / 2) continue;
    free = std::min(free, static_cast<int>(r.top - mine.top));
  }
  return free;
}

void MediaFace::SetDpi(int dpi) {
  if (!window_ || dpi == dpi_) return;
  dpi_ = dpi;
  if (HFONT font = LargeFont(dpi)) large_.Reset(font);
  ChooseTitleFont();
  RECT place;
  GetWindowRect(control_, &place);
  MapWindowPoints(nullptr, GetParent(window_), reinterpret_cast<POINT*>(&place), 2);
  SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, FALSE);
}

void MediaFace::ChooseTitleFont() {
  titleFont_.Reset(skin::FontWithGlyphs(UnitFont(dpi_), title_));
}

void MediaFace::Paint(HDC target) {
  const int cardHeight = FreeHeight(window_);
  const auto px = [this](int length) { return graphics::ScaleLength(length, dpi_); };
  PaintTextCard(window_, target, {px(4), cardHeight, graphics::ScaleFloat(16, dpi_)},
                [&](HDC dc, int width) {
                  if (explaining_) {
                    PaintExplanation(dc, width, cardHeight);
                    return;
                  }
                  // The three parts of the line, one under the other, the title under the song's
                  // number. State and time are a word each; the song's entry may hold a blank.
                  const size_t second = line_.rfind(' '), first = line_.rfind(' ', second - 1);
                  const std::wstring song = line_.substr(0, first);
                  const std::wstring state = line_.substr(first + 1, second - first - 1);
                  const std::wstring time = line_.substr(second + 1);
                  // Text only: no prefix characters, no tabs expanded, one line cut with an
                  // ellipsis.
                  constexpr UINT kLine = DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
                  const int middle = cardHeight / 2;
                  HGDIOBJ normal = SelectObject(dc, UnitFont(dpi_));
                  RECT line{0, middle - px(5), width, middle + px(19)};
                  DrawTextW(dc, state.c_str(), -1, &line, kLine);
                  line = {px(14), middle - px(30), width - px(14), middle - px(8)};
                  if (titleFont_) SelectObject(dc, titleFont_.get());
                  DrawTextW(dc, title_.c_str(), -1, &line, kLine | DT_END_ELLIPSIS);
                  SelectObject(dc, large_ ? large_.get() : UnitFont(dpi_));
                  line = {0, middle - px(66), width, middle - px(30)};
                  DrawTextW(dc, song.c_str(), -1, &line, kLine);
                  line = {0, middle + px(20), width, middle + px(60)};
                  DrawTextW(dc, time.c_str(), -1, &line, kLine);
                  SelectObject(dc, normal);
                });
}

// Every word of it, wrapped, in the middle of the card.
void MediaFace::PaintExplanation(HDC dc, int width, int height) const {
  const int margin = graphics::ScaleLength(16, dpi_);
  HGDIOBJ normal = SelectObject(dc, UnitFont(dpi_));
  constexpr UINT kWrapped = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;
  RECT box{margin, 0, width - margin, height};
  DrawTextW(dc, line_.c_str(), -1, &box, kWrapped | DT_CALCRECT);
  const int top = std::max(0, (height - static_cast<int>(box.bottom)) / 2);
  box = {margin, top, width - margin, height};
  DrawTextW(dc, line_.c_str(), -1, &box, kWrapped);
  SelectObject(dc, normal);
}

LRESULT CALLBACK MediaFace::FaceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* face = reinterpret_cast<MediaFace*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_TIMER:
      if (face && wParam == kRefreshTimer) {
        face->Refresh();
        if (face->onTick_) face->onTick_();
      }
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETOBJECT:
      if (const LRESULT status = AnswerStatusObject(hwnd, wParam, lParam)) return status;
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (face) face->Paint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace app
