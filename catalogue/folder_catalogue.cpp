#include "catalogue/folder_catalogue.h"

#include <windows.h>

#include <memory>
#include <thread>

#include "catalogue/playlist.h"
#include "catalogue/pumping_wait.h"
#include "catalogue/song_titles.h"
#include "catalogue/tag_titles.h"

namespace catalogue {
namespace {

// What the worker and the waiting thread share; the worker may outlive the wait when the
// program ends during a scan.
struct ScanJob {
  ScanJob() : done(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~ScanJob() {
    if (done) CloseHandle(done);
  }
  ScanJob(const ScanJob&) = delete;
  ScanJob& operator=(const ScanJob&) = delete;
  HANDLE done;
  std::atomic<bool> cancel{false};
  std::vector<std::wstring> files;
};

}  // namespace

std::vector<std::wstring> ListPlayableFiles(const std::wstring& root,
                                            const std::atomic<bool>& cancel) {
  std::vector<std::wstring> files;
  std::vector<std::wstring> pending{root};
  while (!pending.empty() && !cancel.load(std::memory_order_relaxed)) {
    const std::wstring folder = std::move(pending.back());
    pending.pop_back();
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      const std::wstring_view name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
          pending.push_back(folder + L"\\" + found.cFileName);
        }
      } else if (IsPlayableFileName(name)) {
        files.push_back(folder + L"\\" + found.cFileName);
      }
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  return files;
}

FolderCatalogue::FolderCatalogue() : deck_(GetTickCount() ^ GetCurrentProcessId()) {}

bool FolderCatalogue::Scan(const std::wstring& folder) {
  auto job = std::make_shared<ScanJob>();
  std::wstring root = folder;
  // "D:\" lists as "D:\\*" otherwise.
  if (!root.empty() && root.back() == L'\\') root.pop_back();
  std::thread([job, root] {
    job->files = ListPlayableFiles(root, job->cancel);
    SetEvent(job->done);
  }).detach();
  if (WaitForObjectProcessingMessages(job->done, INFINITE) != WaitOutcome::kSignalled) {
    job->cancel = true;
    return false;
  }
  files_ = std::move(job->files);
  deck_.Reset(files_.size());
  return true;
}

void FolderCatalogue::FetchBatch(const AppendFunction& append, const TitleFunction& keepTitle) {
  if (files_.empty()) return;
  append(kSongListHeader);
  for (const size_t i : deck_.Draw(kSongsPerBatch)) {
    songAddress = ToUtf8(files_[i]);
    append(songAddress);
    if (keepTitle) keepTitle(songAddress, CleanTitle(TitleOfFile(files_[i])));
  }
}

}  // namespace catalogue
