// Songs fetched into temporary files on worker threads, for a media control that cannot open
// web addresses itself. Only the newest request counts: a newer one cancels the older, whose
// file is removed. Every file is removed when the next song starts and when the loader goes;
// files that an earlier run could not remove (it was killed) go when the next loader starts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "catalogue/fetch_to_file.h"

namespace app {

class SongLoader {
 public:
  // Both run on the creating thread, from its message dispatch, for the newest request only:
  // `ready` with the local file of the song, `failed` with why it could not be fetched. A load
  // that stalls (catalogue/stall_watch.h) fails as kStalled.
  using Failed = std::function<void(const catalogue::FetchReport&)>;
  SongLoader(std::function<void(const std::wstring& path)> ready, Failed failed);
  // Cancels the fetch in progress and removes every file, without waiting for any worker.
  ~SongLoader();
  SongLoader(const SongLoader&) = delete;
  SongLoader& operator=(const SongLoader&) = delete;

  // Starts fetching the address; the fetch in progress, if any, is cancelled.
  void Load(const std::string& url);  // UTF-8
  // Cancels the fetch in progress, if any; nothing is reported for it.
  void Cancel();
  // Removes the files of every song but the newest one handed to `ready`, and that one too
  // unless `keepCurrent`. A file still held by whoever plays it is tried again next time.
  void RemoveOlderFiles(bool keepCurrent = true);

  bool loading() const { return loading_; }
  // What has arrived of the song loading now, and its announced size (0 when unknown).
  struct Progress {
    uint64_t received = 0, total = 0;
  };
  Progress progress() const;
  // The file handed to `ready` last; empty before the first.
  const std::wstring& currentFile() const { return current_; }

  // The folder and name prefix of this process's song files: "<temp>\velory-<pid>-".
  static std::wstring FilePrefix();

 private:
  struct Shared;
  static LRESULT CALLBACK NotifyProc(HWND, UINT, WPARAM, LPARAM);
  void TakeFinished();
  void TakeFailed(unsigned request);

  std::shared_ptr<Shared> shared_;
  HWND notify_ = nullptr;
  std::function<void(const std::wstring&)> ready_;
  Failed failed_;
  std::wstring current_;  // the file handed to `ready` last
  bool loading_ = false;
};

}  // namespace app
