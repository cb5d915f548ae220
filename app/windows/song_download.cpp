#include "app/windows/song_download.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

#include "app/announcer.h"
#include "app/application.h"
#include "app/data/file_name.h"
#include "app/data/language.h"
#include "app/windows/skin_calls.h"
#include "app/windows/text_card.h"
#include "app/windows/user_messages.h"
#include "catalogue/fetch_to_file.h"
#include "catalogue/host_platform.h"
#include "catalogue/pumping_wait.h"
#include "catalogue/stall_watch.h"
#include "catalogue/text_routines.h"
#include "graphics/dpi_context.h"
#include "graphics/dpi_scale.h"
#include "graphics/kernel_handle.h"

namespace app {
namespace {

constexpr wchar_t kWindowClass[] = L"VeloryDownloadWindow";
constexpr wchar_t kStatusClass[] = L"VeloryDownloadStatus";
constexpr int kWidth = 387, kHeight = 92;
constexpr unsigned kProgressEveryMs = 100;

// One download, shared with the worker that runs the fetch.
struct Job {
  Job()
      : cancel(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        done(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

  graphics::KernelHandle cancel;
  graphics::KernelHandle done;
  std::atomic<uint64_t> received{0}, total{0};
  std::atomic<bool> userCancelled{false};
  catalogue::FetchResult result = catalogue::FetchResult::kFailed;
  catalogue::FetchReport report;
};

LRESULT CALLBACK DownloadWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // Closing the window cancels the download; the window goes when the fetch has ended.
    if (auto* job = reinterpret_cast<Job*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
      job->userCancelled = true;
      SetEvent(job->cancel.get());
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The line under the bar: its text on a light card, readable over any picture.
LRESULT CALLBACK StatusLineProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return result;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT rc;
      GetClientRect(hwnd, &rc);
      wchar_t text[256] = {};
      GetWindowTextW(hwnd, text, static_cast<int>(std::size(text)));
      PaintTextCard(hwnd, dc, {0, rc.bottom, 6, 0xC0}, [&](HDC on, int width) {
        RECT line{8, 0, width - 8, rc.bottom};
        DrawTextW(on, text, -1, &line, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
      });
      EndPaint(hwnd, &ps);
      return 0;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The small window with its progress bar, centred on the owner, skinned like the others.
class ProgressWindow {
 public:
  ProgressWindow(HWND owner, const std::wstring& caption, Job& job,
                 const std::vector<uint8_t>& picture) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DownloadWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
    wc.lpfnWndProc = StatusLineProc;
    wc.lpszClassName = kStatusClass;
    RegisterClassExW(&wc);
    RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &around);
    // Laid out at the owner's DPI from 96-dpi lengths.
    const int dpi = graphics::DpiForWindow(owner);
    const auto px = [dpi](int length) { return graphics::ScaleLength(length, dpi); };
    const int left = (around.left + around.right - px(kWidth)) / 2;
    const int top = (around.top + around.bottom - px(kHeight)) / 2;
    window_ =
        CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, caption.c_str(), WS_POPUP | WS_CLIPCHILDREN,
                        left, top, px(kWidth), px(kHeight), owner, nullptr, wc.hInstance, nullptr);
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&job));
    bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, px(10), px(32),
                           px(kWidth - 20), px(20), window_, nullptr, wc.hInstance, nullptr);
    SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
    status_ = CreateWindowExW(0, kStatusClass, DownloadStatusText(0, 0).c_str(),
                              WS_CHILD | WS_VISIBLE, px(10), px(58), px(kWidth - 20), px(20),
                              window_, nullptr, wc.hInstance, nullptr);
    skinWindow(window_, picture);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
  }
  ~ProgressWindow() {
    if (window_) {
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      DestroyWindow(window_);
    }
  }
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  void Show(uint64_t received, uint64_t total) {
    if (!bar_) return;
    // Without an announced length the bar creeps on and never reaches the end.
    const int percent = total ? static_cast<int>(received * 100 / total)
                              : static_cast<int>(99 - 99 * 65536 / (65536 + received));
    SendMessageW(bar_, PBM_SETPOS, percent, 0);
    SetStatus(DownloadStatusText(received, total));
  }
  HWND window() const { return window_; }
  void SetStatus(const std::wstring& text) {
    if (!status_ || text == statusText_) return;
    statusText_ = text;
    SetWindowTextW(status_, text.c_str());
  }

 private:
  HWND window_ = nullptr;
  HWND bar_ = nullptr;
  HWND status_ = nullptr;
  std::wstring statusText_;
};

// 1234567 as "1,234,567".
std::wstring Grouped(uint64_t n) {
  std::wstring digits = std::to_wstring(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, L",");
  return digits;
}

std::wstring Extension(const std::wstring& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of(L"\\/");
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
  return path.substr(dot);
}

bool AskForTarget(HWND owner, const std::wstring& suggestedName, std::wstring* target) {
  wchar_t file[MAX_PATH * 4] = {};
  suggestedName.copy(file, std::size(file) - 1);
  const std::wstring ext = Extension(suggestedName);
  // "*.wav" twice, then every file; the list ends with two zeros.
  std::wstring filter =
      L"*" + ext + L'\0' + L"*" + ext + L'\0' + L"*.*" + L'\0' + L"*.*" + L'\0' + L'\0';
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = static_cast<DWORD>(std::size(file));
  ofn.lpstrDefExt = ext.size() > 1 ? ext.c_str() + 1 : nullptr;
  ofn.Flags =
      OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetSaveFileNameW(&ofn)) return false;
  *target = file;
  return true;
}

// A song of the user's own folder: copied beside the target and put in its place only when
// whole; a failure says why.
void SaveLocalSong(HWND owner, const std::wstring& song, const std::wstring& target) {
  const std::wstring part = target + L".part";
  if (CopyFileW(song.c_str(), part.c_str(), FALSE) &&
      MoveFileExW(part.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    Announce().Say("download saved ", target);
    return;
  }
  DeleteFileW(part.c_str());
  Announce().Say("download failed ", target);
  ShowMessage(owner, Texts().failed);
}

}  // namespace

std::wstring DownloadStatusText(uint64_t received, uint64_t total) {
  const UiTexts& t = Texts();
  if (total == 0) return t.received + Grouped(received) + t.bytes;
  const uint64_t percent = received >= total ? 100 : received * 100 / total;
  return std::to_wstring(percent) + L"%  " + t.received + Grouped(received) + L" / " +
         Grouped(total) + t.bytes;
}

std::wstring FailureReason(const catalogue::FetchReport& report) {
  using catalogue::FetchProblem;
  switch (report.problem) {
    case FetchProblem::kNoConnection:
      return Texts().noConnection;
    case FetchProblem::kNoAnswer:
      return Texts().noAnswer;
    case FetchProblem::kServerStatus:
      return Texts().serverStatus + std::to_wstring(report.status) + Texts().serverStatusEnd;
    case FetchProblem::kCutShort:
      return Texts().cutShort;
    case FetchProblem::kTooLarge:
      return Texts().tooLarge;
    case FetchProblem::kEmpty:
      return Texts().emptyAnswer;
    case FetchProblem::kDiskRefused:
      return Texts().diskRefused;
    case FetchProblem::kStalled:
      return Texts().stalled +
             std::to_wstring(std::max<uint64_t>(1, catalogue::StallPeriodMs() / 1000)) +
             Texts().stalledEnd;
    case FetchProblem::kGone:
      return Texts().fileGone;
    case FetchProblem::kCannotPlay:
      return Texts().cannotPlay;
    case FetchProblem::kNone:
      break;
  }
  return {};
}

std::wstring SuggestedSongName(int songNumber, const std::wstring& title,
                               const std::wstring& localCopy) {
  const std::wstring ext = Extension(localCopy);
  const std::wstring stem = SafeFileStem(title);
  if (!stem.empty()) return stem + (ext.empty() ? L".mp3" : ext);
  std::wstring name = songNumber > 0 ? VisibleEntry(songNumber) : Texts().songEntry;
  // "Song " without its number ends in a blank, which no file name should.
  name.erase(name.find_last_not_of(L' ') + 1);
  return name + (ext.empty() ? L".mp3" : ext);
}

void DownloadSong(HWND owner, const std::string& url, const std::wstring& suggestedName,
                  const std::vector<uint8_t>& picture) {
  Application& a = App();
  if (a.downloading) {
    // One download at a time; the button finds the running one instead.
    if (a.downloadWindow) {
      SetForegroundWindow(a.downloadWindow);
      BringWindowToTop(a.downloadWindow);
      Announce().Say("download window brought forward");
    }
    return;
  }
  if (url.empty()) return;
  a.downloading = true;
  struct Reset {
    Application& a;
    ~Reset() {
      a.downloading = false;
      a.downloadWindow = nullptr;
    }
  } reset{a};

  std::wstring target;
  if (!AskForTarget(owner, suggestedName, &target)) return;
  if (!catalogue::IsWebAddress(url)) {
    SaveLocalSong(owner, catalogue::FromUtf8(url), target);
    return;
  }
  // Written beside the target and put in its place only when whole: a file the user chose to
  // replace survives a failed download.
  const std::wstring part = target + L".part";
  auto job = std::make_shared<Job>();
  if (!job->cancel || !job->done) return;
  const std::wstring fileName = target.substr(target.find_last_of(L"\\/") + 1);
  ProgressWindow progress(owner, Texts().downloading + (L" " + fileName), *job, picture);
  a.downloadWindow = progress.window();
  try {
    std::thread([job, url, part] {
      catalogue::FetchLimits limits;
      limits.cancel = job->cancel.get();
      // Nothing may leave the thread (that would end the process): out of memory, the download
      // failed.
      try {
        job->result = catalogue::FetchToFile(
            url, part,
            [&job](uint64_t received, uint64_t total) {
              job->received = received;
              job->total = total;
              return true;
            },
            limits, &job->report);
      } catch (...) {
        job->result = catalogue::FetchResult::kFailed;
      }
      SetEvent(job->done.get());
    }).detach();
  } catch (const std::system_error&) {
    ShowMessage(progress.window(), Texts().failed);
    return;
  }
  for (;;) {
    const auto outcome =
        catalogue::WaitForObjectProcessingMessages(job->done.get(), kProgressEveryMs);
    if (outcome == catalogue::WaitOutcome::kSignalled) break;
    if (outcome == catalogue::WaitOutcome::kQuit) {
      // The program ends: the fetch stops at once and removes its part, before the process goes.
      SetEvent(job->cancel.get());
      WaitForSingleObject(job->done.get(), 2000);
      return;
    }
    progress.Show(job->received, job->total);
  }
  if (job->result == catalogue::FetchResult::kComplete) {
    progress.Show(job->received, job->total);
    if (MoveFileExW(part.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      Announce().Say("download saved ", target);
      return;
    }
    DeleteFileW(part.c_str());
    job->report = {catalogue::FetchProblem::kDiskRefused};
  }
  if (job->userCancelled) {
    Announce().Say("download cancelled ", target);
    return;
  }
  // The reason stays on the window behind the message as well.
  const std::wstring reason = FailureReason(job->report);
  progress.SetStatus(reason);
  ShowMessage(progress.window(), reason.empty()
                                     ? Texts().failed
                                     : (std::wstring(Texts().failed) + L"\n" + reason).c_str());
}

}  // namespace app
