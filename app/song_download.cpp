#include "app/song_download.h"

#include <commctrl.h>
#include <commdlg.h>

#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

#include "app/skin_calls.h"
#include "app/user_messages.h"
#include "catalogue/fetch_to_file.h"
#include "catalogue/host_platform.h"
#include "catalogue/pumping_wait.h"

namespace app {
namespace {

constexpr char kWindowClass[] = "VeloryDownloadWindow";
constexpr int kWidth = 387, kHeight = 74;
constexpr unsigned kProgressEveryMs = 100;

// One download, shared with the worker that runs the fetch.
struct Job {
  Job()
      : cancel(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        done(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Job() {
    if (cancel) CloseHandle(cancel);
    if (done) CloseHandle(done);
  }
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;

  HANDLE cancel;
  HANDLE done;
  std::atomic<uint64_t> received{0}, total{0};
  std::atomic<bool> userCancelled{false};
  catalogue::FetchResult result = catalogue::FetchResult::kFailed;
};

LRESULT CALLBACK DownloadWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // Closing the window cancels the download; the window goes when the fetch has ended.
    if (auto* job = reinterpret_cast<Job*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
      job->userCancelled = true;
      SetEvent(job->cancel);
    }
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The small window with its progress bar, centred on the owner, skinned like the others.
class ProgressWindow {
 public:
  ProgressWindow(HWND owner, const std::string& caption, Job& job,
                 const std::vector<uint8_t>& picture) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DownloadWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    RegisterClassExA(&wc);  // fails harmlessly when already registered
    RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &around);
    const int left = (around.left + around.right - kWidth) / 2;
    const int top = (around.top + around.bottom - kHeight) / 2;
    window_ =
        CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, caption.c_str(), WS_POPUP | WS_CLIPCHILDREN,
                        left, top, kWidth, kHeight, owner, nullptr, wc.hInstance, nullptr);
    if (!window_) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&job));
    bar_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 34, kWidth - 20, 22,
                           window_, nullptr, wc.hInstance, nullptr);
    SendMessageA(bar_, PBM_SETRANGE32, 0, 100);
    skinWindow(window_, picture);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
  }
  ~ProgressWindow() {
    if (window_) {
      SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
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
    SendMessageA(bar_, PBM_SETPOS, percent, 0);
  }

 private:
  HWND window_ = nullptr;
  HWND bar_ = nullptr;
};

std::string Extension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return path.substr(dot);
}

bool AskForTarget(HWND owner, const std::string& suggestedName, std::string* target) {
  char file[MAX_PATH * 4] = {};
  suggestedName.copy(file, sizeof(file) - 1);
  const std::string ext = Extension(suggestedName);
  // "*.wav" twice, then every file; the list ends with two zeros.
  std::string filter = "*" + ext + '\0' + "*" + ext + '\0' + "*.*" + '\0' + "*.*" + '\0' + '\0';
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof(file);
  ofn.lpstrDefExt = ext.size() > 1 ? ext.c_str() + 1 : nullptr;
  ofn.Flags =
      OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetSaveFileNameA(&ofn)) return false;
  *target = file;
  return true;
}

bool g_downloading = false;

}  // namespace

std::string SuggestedSongName(int songNumber, const std::string& localCopy) {
  const std::string ext = Extension(localCopy);
  return "歌曲" + (songNumber > 0 ? std::to_string(songNumber) : std::string()) +
         (ext.empty() ? ".mp3" : ext);
}

void DownloadSong(HWND owner, const std::string& url, const std::string& suggestedName,
                  const std::vector<uint8_t>& picture) {
  if (g_downloading || !catalogue::IsWebAddress(url)) return;
  g_downloading = true;
  struct Reset {
    ~Reset() { g_downloading = false; }
  } reset;

  std::string target;
  if (!AskForTarget(owner, suggestedName, &target)) return;
  // Written beside the target and put in its place only when whole: a file the user chose to
  // replace survives a failed download.
  const std::string part = target + ".part";
  auto job = std::make_shared<Job>();
  if (!job->cancel || !job->done) return;
  ProgressWindow progress(owner, "下载 " + target.substr(target.find_last_of("\\/") + 1), *job,
                          picture);
  try {
    std::thread([job, url, part] {
      catalogue::FetchLimits limits;
      limits.cancel = job->cancel;
      job->result = catalogue::FetchToFile(
          url, part,
          [&job](uint64_t received, uint64_t total) {
            job->received = received;
            job->total = total;
            return true;
          },
          limits);
      SetEvent(job->done);
    }).detach();
  } catch (const std::system_error&) {
    ShowMessage(kMsgFailed);
    return;
  }
  for (;;) {
    const auto outcome = catalogue::WaitForObjectProcessingMessages(job->done, kProgressEveryMs);
    if (outcome == catalogue::WaitOutcome::kSignalled) break;
    if (outcome == catalogue::WaitOutcome::kQuit) {
      // The program ends: the fetch stops at once and removes its part, before the process goes.
      SetEvent(job->cancel);
      WaitForSingleObject(job->done, 2000);
      return;
    }
    progress.Show(job->received, job->total);
  }
  if (job->result == catalogue::FetchResult::kComplete) {
    progress.Show(1, 1);
    if (MoveFileExA(part.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    DeleteFileA(part.c_str());
  }
  if (!job->userCancelled) ShowMessage(kMsgFailed);
}

}  // namespace app
