#include "app/data/data_files.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "app/data/number_pair.h"
#include "catalogue/text_routines.h"
#include "graphics/atomic_file.h"
#include "graphics/kernel_handle.h"

namespace app {
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
  graphics::KernelHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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
  return graphics::WriteFileAtomically(LongPath(path), content.data(), content.size());
}

void WriteNumberPairFile(const std::wstring& path, int32_t a, int32_t b) {
  WriteWholeFile(path, FormatNumberPair(a, b));
}

bool WritePictureName(const std::wstring& name) {
  const std::optional<std::string> gbk = catalogue::EncodeText(name, catalogue::kGbkCodePage);
  return gbk && WriteWholeFile(DataPath(kPicturePathFile), *gbk);
}

}  // namespace app
