#include "catalogue/fetch_to_file.h"

#include <algorithm>

#include "catalogue/internet_handle.h"

namespace catalogue {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  void Close() {
    if (valid()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

bool SuccessStatus(HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                      nullptr)) {
    return false;
  }
  return status >= 200 && status < 300;
}

bool WriteAll(HANDLE file, const uint8_t* data, DWORD size) {
  DWORD written = 0;
  return WriteFile(file, data, size, &written, nullptr) && written == size;
}

FetchResult Transfer(HINTERNET request, HANDLE file, const FetchProgress& progress,
                     uint64_t maxBytes) {
  DWORD announced = 0;
  const bool hasLength = AnnouncedLength(request, &announced);
  if (hasLength && announced > maxBytes) return FetchResult::kFailed;
  uint64_t received = 0;
  uint8_t chunk[65536];
  for (;;) {
    // Returns as soon as anything has arrived, so a cancel is seen while the answer trickles.
    DWORD available = 0;
    if (!InternetQueryDataAvailable(request, &available, 0, 0)) return FetchResult::kFailed;
    if (available == 0) break;
    DWORD got = 0;
    if (!InternetReadFile(request, chunk, std::min<DWORD>(available, sizeof(chunk)), &got)) {
      return FetchResult::kFailed;
    }
    if (got == 0) break;
    received += got;
    if (received > maxBytes || !WriteAll(file, chunk, got)) return FetchResult::kFailed;
    if (progress && !progress(received, hasLength ? announced : 0)) return FetchResult::kCancelled;
  }
  if (hasLength && received != announced) return FetchResult::kFailed;
  return FetchResult::kComplete;
}

}  // namespace

FetchResult FetchToFile(const std::string& url, const std::string& path,
                        const FetchProgress& progress, FetchLimits limits) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return FetchResult::kFailed;
  FetchResult result = FetchResult::kFailed;
  {
    InternetHandle session(OpenSession(limits.deadlineMs));
    InternetHandle request(session ? OpenAddress(session.get(), url) : nullptr);
    if (request && SuccessStatus(request.get())) {
      result = Transfer(request.get(), file.get(), progress, limits.maxBytes);
    }
  }
  if (result == FetchResult::kComplete && !FlushFileBuffers(file.get())) {
    result = FetchResult::kFailed;
  }
  file.Close();
  if (result != FetchResult::kComplete) DeleteFileA(path.c_str());
  return result;
}

}  // namespace catalogue
