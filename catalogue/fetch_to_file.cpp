#include "catalogue/fetch_to_file.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "catalogue/internet_handle.h"
#include "graphics/kernel_handle.h"

namespace catalogue {
namespace {

// The transfer, shared by the caller, who owns the file, and a worker thread that makes the
// blocking WinINet calls and hands over what arrives. WinINet's own time-outs do not bound every
// wait, so the caller keeps the deadline: when nothing arrives in time, it gives up and returns,
// and the worker, which never touches the file, ends on its own later.
struct Transfer {
  Transfer() : activity(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

  std::mutex lock;
  graphics::KernelHandle activity;  // set whenever pieces arrive and when the worker is done
  std::deque<std::vector<uint8_t>> pieces;
  uint64_t total = 0;  // announced length, 0 when none
  bool abandoned = false;
  bool done = false;
  FetchReport report;  // the worker's failure, when done

  bool Abandoned() {
    std::lock_guard<std::mutex> hold(lock);
    return abandoned;
  }
  void Finish(FetchReport outcome) {
    std::lock_guard<std::mutex> hold(lock);
    report = outcome;
    done = true;
    SetEvent(activity.get());
  }
};

// A failed WinINet call: a wait that ran out is the server's silence, anything else a broken
// connection (`otherwise`).
FetchProblem AfterFailure(FetchProblem otherwise) {
  return GetLastError() == ERROR_INTERNET_TIMEOUT ? FetchProblem::kNoAnswer : otherwise;
}

// The worker's part: pieces into the queue until the answer ends, fails or is given up.
FetchReport Receive(Transfer& t, const std::string& url, const FetchLimits& limits) {
  InternetHandle session(OpenSession(limits.deadlineMs));
  if (!session || t.Abandoned()) return {FetchProblem::kNoConnection};
  InternetHandle request(OpenAddress(session.get(), url));
  if (!request) return {AfterFailure(FetchProblem::kNoConnection)};
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                      &size, nullptr)) {
    return {FetchProblem::kNoConnection};
  }
  if (status < 200 || status >= 300) return {FetchProblem::kServerStatus, status};
  DWORD announced = 0;
  const bool hasLength = AnnouncedLength(request.get(), &announced);
  if (hasLength && announced > limits.maxBytes) return {FetchProblem::kTooLarge};
  {
    std::lock_guard<std::mutex> hold(t.lock);
    t.total = hasLength ? announced : 0;
  }
  uint64_t received = 0;
  for (;;) {
    // Returns as soon as anything has arrived, so a give-up is seen while the answer trickles.
    DWORD available = 0;
    if (!InternetQueryDataAvailable(request.get(), &available, 0, 0)) {
      return {AfterFailure(FetchProblem::kCutShort)};
    }
    if (available == 0) break;
    std::vector<uint8_t> piece(std::min<DWORD>(available, 65536));
    DWORD got = 0;
    if (!InternetReadFile(request.get(), piece.data(), static_cast<DWORD>(piece.size()), &got)) {
      return {AfterFailure(FetchProblem::kCutShort)};
    }
    if (got == 0) break;
    received += got;
    if (received > limits.maxBytes) return {FetchProblem::kTooLarge};
    piece.resize(got);
    std::lock_guard<std::mutex> hold(t.lock);
    if (t.abandoned) return {FetchProblem::kNone};
    t.pieces.push_back(std::move(piece));
    SetEvent(t.activity.get());
  }
  if (hasLength && received != announced) return {FetchProblem::kCutShort};
  if (received == 0) return {FetchProblem::kEmpty};
  return {};
}

bool WriteAll(HANDLE file, const std::vector<uint8_t>& data) {
  DWORD written = 0;
  return WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
         written == data.size();
}

// The caller's part: writes what arrives, keeps the deadline, asks whether to go on.
FetchResult Store(Transfer& t, HANDLE file, const FetchProgress& progress,
                  const FetchLimits& limits, FetchReport& report) {
  const HANDLE events[] = {t.activity.get(), limits.cancel};
  const DWORD count = limits.cancel ? 2 : 1;
  uint64_t written = 0;
  for (;;) {
    const DWORD woken = WaitForMultipleObjects(count, events, FALSE, limits.deadlineMs);
    if (woken == WAIT_OBJECT_0 + 1) return FetchResult::kCancelled;
    if (woken != WAIT_OBJECT_0) {
      report = {FetchProblem::kNoAnswer};
      return FetchResult::kFailed;
    }
    std::deque<std::vector<uint8_t>> pieces;
    bool done;
    uint64_t total;
    {
      std::lock_guard<std::mutex> hold(t.lock);
      pieces.swap(t.pieces);
      done = t.done;
      report = t.report;
      total = t.total;
    }
    for (const auto& piece : pieces) {
      if (!WriteAll(file, piece)) {
        report = {FetchProblem::kDiskRefused};
        return FetchResult::kFailed;
      }
      written += piece.size();
    }
    if (!pieces.empty() && progress && !progress(written, total)) return FetchResult::kCancelled;
    if (done) {
      return report.problem == FetchProblem::kNone ? FetchResult::kComplete : FetchResult::kFailed;
    }
  }
}

}  // namespace

FetchResult FetchToFile(const std::string& url, const std::wstring& path,
                        const FetchProgress& progress, FetchLimits limits, FetchReport* report) {
  FetchReport outcome;
  FetchResult result = FetchResult::kFailed;
  graphics::KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    outcome = {FetchProblem::kDiskRefused};
  } else {
    auto t = std::make_shared<Transfer>();
    if (t->activity) {
      try {
        std::thread([t, url, limits] {
          // Nothing may leave the thread (that would end the process): out of memory, the
          // answer is taken as cut short.
          FetchReport outcome{FetchProblem::kCutShort};
          try {
            outcome = Receive(*t, url, limits);
          } catch (...) {
          }
          t->Finish(outcome);
        }).detach();
        result = Store(*t, file.get(), progress, limits, outcome);
      } catch (const std::system_error&) {
        result = FetchResult::kFailed;
      }
      std::lock_guard<std::mutex> hold(t->lock);
      t->abandoned = true;
    }
    if (result == FetchResult::kComplete && !FlushFileBuffers(file.get())) {
      result = FetchResult::kFailed;
      outcome = {FetchProblem::kDiskRefused};
    }
    file.reset();
    if (result != FetchResult::kComplete) DeleteFileW(path.c_str());
  }
  if (result != FetchResult::kFailed) outcome = {};
  if (report) *report = outcome;
  return result;
}

}  // namespace catalogue
