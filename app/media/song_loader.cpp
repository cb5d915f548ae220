#include "app/media/song_loader.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <vector>

#include "catalogue/fetch_to_file.h"
#include "catalogue/host_platform.h"
#include "catalogue/stall_watch.h"
#include "catalogue/text_routines.h"
#include "graphics/kernel_handle.h"

namespace app {
namespace {

constexpr UINT kFinishedMessage = WM_APP + 40;
constexpr UINT kFailedMessage = WM_APP + 41;  // wParam: the request
constexpr wchar_t kNotifyClass[] = L"VelorySongLoader";

std::wstring TempFolder() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(static_cast<DWORD>(std::size(path)), path);
  return n > 0 && n < std::size(path) ? std::wstring(path, n) : std::wstring(L".\\");
}

// The first bytes of the file, to name it after its kind.
std::vector<uint8_t> FileHead(const std::wstring& path) {
  std::vector<uint8_t> head(16);
  const graphics::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                                FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                                OPEN_EXISTING, 0, nullptr));
  DWORD got = 0;
  if (file) ReadFile(file.get(), head.data(), static_cast<DWORD>(head.size()), &got, nullptr);
  head.resize(got);
  return head;
}

// Song files of earlier runs that ended without removing them (killed, crashed): any whose
// process no longer runs.
void RemoveLeftFiles(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"velory-*-*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const DWORD pid = std::wcstoul(found.cFileName + 7, nullptr, 10);
    if (pid == GetCurrentProcessId()) continue;
    const graphics::KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    const bool running = process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
    if (!running) DeleteFileW((folder + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

// What the loader and its workers share: which request is the newest, the files that exist,
// and the finished requests waiting for the creating thread.
struct SongLoader::Shared {
  struct Finished {
    unsigned request;
    std::wstring path;  // empty when the fetch failed
    catalogue::FetchReport report;
  };

  std::mutex lock;
  unsigned newest = 0;
  bool closed = false;
  std::set<std::wstring> files;
  std::deque<Finished> finished;
  unsigned nextFile = 0;
  Progress progress;  // of the newest request

  bool Current(unsigned request) {
    std::lock_guard<std::mutex> hold(lock);
    return !closed && request == newest;
  }
};

SongLoader::SongLoader(std::function<void(const std::wstring& path)> ready, Failed failed)
    : shared_(std::make_shared<Shared>()), ready_(std::move(ready)), failed_(std::move(failed)) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = NotifyProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kNotifyClass;
  RegisterClassExW(&wc);  // fails harmlessly when already registered
  notify_ = CreateWindowExW(0, kNotifyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            wc.hInstance, nullptr);
  if (notify_) SetWindowLongPtrW(notify_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  RemoveLeftFiles(TempFolder());
}

SongLoader::~SongLoader() {
  if (notify_) DestroyWindow(notify_);
  std::set<std::wstring> files;
  {
    std::lock_guard<std::mutex> hold(shared_->lock);
    shared_->closed = true;
    files.swap(shared_->files);
  }
  // A worker still writing shares its file for deletion: it goes when the worker lets go, or
  // when the process ends.
  for (const std::wstring& file : files) DeleteFileW(file.c_str());
}

std::wstring SongLoader::FilePrefix() {
  return TempFolder() + L"velory-" + std::to_wstring(GetCurrentProcessId()) + L"-";
}

void SongLoader::Load(const std::string& url) {
  unsigned request;
  std::wstring path;
  {
    std::lock_guard<std::mutex> hold(shared_->lock);
    request = ++shared_->newest;
    shared_->progress = {};
    path = FilePrefix() + std::to_wstring(++shared_->nextFile) + L".part";
    shared_->files.insert(path);
  }
  loading_ = true;
  const HWND notify = notify_;
  auto work = [shared = shared_, request, url, path, notify] {
    catalogue::StallWatch stall(catalogue::StallPeriodMs(), catalogue::kStallMinBytes);
    bool stalled = false;
    const auto keepGoing = [&](uint64_t received, uint64_t total) {
      {
        std::lock_guard<std::mutex> hold(shared->lock);
        if (shared->closed || request != shared->newest) return false;
        shared->progress = {received, total};
      }
      stalled = !stall.Going(GetTickCount64(), received);
      return !stalled;
    };
    std::wstring done;
    // Nothing may leave the thread (that would end the process): out of memory anywhere here,
    // the song did not load, and the loader hears so without anything to be made for it.
    try {
      catalogue::FetchReport report;
      if (catalogue::FetchToFile(url, path, keepGoing, {}, &report) ==
          catalogue::FetchResult::kComplete) {
        // Named after its kind, so the media framework knows what to make of it.
        const std::vector<uint8_t> head = FileHead(path);
        const std::wstring named =
            path.substr(0, path.size() - 5) +
            catalogue::FromUtf8(catalogue::SongFileExtension(head.data(), head.size()));
        done = MoveFileExW(path.c_str(), named.c_str(), MOVEFILE_REPLACE_EXISTING) ? named : path;
      }
      std::lock_guard<std::mutex> hold(shared->lock);
      shared->files.erase(path);
      if (shared->closed || request != shared->newest) {
        if (!done.empty()) DeleteFileW(done.c_str());
        return;
      }
      if (!done.empty()) shared->files.insert(done);
      if (stalled) report.problem = catalogue::FetchProblem::kStalled;
      shared->finished.push_back({request, done, report});
      PostMessageW(notify, kFinishedMessage, 0, 0);
    } catch (...) {
      DeleteFileW(path.c_str());
      if (!done.empty()) DeleteFileW(done.c_str());
      try {
        std::lock_guard<std::mutex> hold(shared->lock);
        shared->files.erase(path);
        if (!done.empty()) shared->files.erase(done);
      } catch (...) {
        // The names stay listed; deleting them again later fails harmlessly.
      }
      PostMessageW(notify, kFailedMessage, request, 0);
    }
  };
  try {
    std::thread(std::move(work)).detach();
  } catch (const std::system_error&) {
    {
      std::lock_guard<std::mutex> hold(shared_->lock);
      shared_->files.erase(path);
      shared_->finished.push_back({request, std::wstring(), {}});
    }
    PostMessageW(notify_, kFinishedMessage, 0, 0);
  }
}

void SongLoader::Cancel() {
  std::lock_guard<std::mutex> hold(shared_->lock);
  ++shared_->newest;
  loading_ = false;
}

SongLoader::Progress SongLoader::progress() const {
  std::lock_guard<std::mutex> hold(shared_->lock);
  return shared_->progress;
}

void SongLoader::RemoveOlderFiles(bool keepCurrent) {
  if (!keepCurrent) current_.clear();
  std::lock_guard<std::mutex> hold(shared_->lock);
  for (auto it = shared_->files.begin(); it != shared_->files.end();) {
    // Files still being written end with ".part"; their workers remove them when cancelled.
    const bool writing = it->size() > 5 && it->compare(it->size() - 5, 5, L".part") == 0;
    if (*it != current_ && !writing && DeleteFileW(it->c_str())) {
      it = shared_->files.erase(it);
    } else {
      ++it;
    }
  }
}

void SongLoader::TakeFinished() {
  std::deque<Shared::Finished> finished;
  unsigned newest;
  {
    std::lock_guard<std::mutex> hold(shared_->lock);
    finished.swap(shared_->finished);
    newest = shared_->newest;
  }
  for (const Shared::Finished& f : finished) {
    if (f.request != newest) continue;  // cancelled after it finished; removed with the others
    loading_ = false;
    if (f.path.empty()) {
      if (failed_) failed_(f.report);
    } else {
      current_ = f.path;
      if (ready_) ready_(f.path);
    }
  }
}

void SongLoader::TakeFailed(unsigned request) {
  {
    std::lock_guard<std::mutex> hold(shared_->lock);
    if (request != shared_->newest) return;
  }
  loading_ = false;
  if (failed_) failed_({catalogue::FetchProblem::kCutShort});
}

LRESULT CALLBACK SongLoader::NotifyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kFinishedMessage || message == kFailedMessage) {
    if (auto* loader = reinterpret_cast<SongLoader*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
      if (message == kFinishedMessage) {
        loader->TakeFinished();
      } else {
        loader->TakeFailed(static_cast<unsigned>(wParam));
      }
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace app
