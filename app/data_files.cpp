#include "app/data_files.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "app/number_pair.h"
#include "catalogue/text_routines.h"

namespace app {
namespace {

// Closes a kernel handle on every path out.
class ScopedFile {
 public:
  explicit ScopedFile(HANDLE h) : h_(h) {}
  ~ScopedFile() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  ScopedFile(const ScopedFile&) = delete;
  ScopedFile& operator=(const ScopedFile&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

}  // namespace

std::wstring ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring DataPath(const std::wstring& relative) { return ExecutableFolder() + relative; }

std::wstring LongPath(const std::wstring& path) {
  if (path.size() < MAX_PATH - 12 || path.starts_with(L"\\\\")) return path;
  return L"\\\\?\\" + path;
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& path, uint64_t maxBytes) {
  ScopedFile file(CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return {};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) ||
      static_cast<uint64_t>(size.QuadPart) > std::min(maxBytes, kMaxFileBytes)) {
    return {};
  }
  std::vector<uint8_t> bytes;
  try {
    bytes.resize(static_cast<size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return {};  // more than the process can hold: unreadable, not a crash
  }
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(bytes.size() - done);
    if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) return {};
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

std::string ReadTextFile(const std::wstring& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  std::string text(bytes.begin(), bytes.end());
  const size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

std::wstring ReadGbkTextFile(const std::wstring& path) {
  return catalogue::DecodeText(ReadTextFile(path), catalogue::kGbkCodePage);
}

bool WriteWholeFile(const std::wstring& path, const std::string& content) {
  // Written beside the file and moved over it only once complete: a failed or cut-short write
  // leaves the old content in place, never half of the new one.
  const std::wstring temporary = LongPath(path + L".new");
  bool complete = false;
  {
    ScopedFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD written = 0;
    complete = WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                         nullptr) &&
               written == content.size() && FlushFileBuffers(file.get());
  }
  if (complete && MoveFileExW(temporary.c_str(), LongPath(path).c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

void WriteNumberPairFile(const std::wstring& path, int32_t a, int32_t b) {
  WriteWholeFile(path, FormatNumberPair(a, b));
}

bool WritePictureName(const std::wstring& name) {
  const std::optional<std::string> gbk = catalogue::EncodeText(name, catalogue::kGbkCodePage);
  return gbk && WriteWholeFile(DataPath(kPicturePathFile), *gbk);
}

}  // namespace app
