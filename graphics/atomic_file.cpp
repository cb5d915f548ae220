#include "graphics/atomic_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "graphics/kernel_handle.h"

namespace graphics {
namespace {

bool WriteAll(HANDLE file, const FilePart& part) {
  const auto* at = static_cast<const uint8_t*>(part.data);
  size_t left = part.size;
  while (left > 0) {
    DWORD done = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(left, 1u << 24));
    if (!WriteFile(file, at, chunk, &done, nullptr) || done == 0) return false;
    at += done;
    left -= done;
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::wstring& path, std::initializer_list<FilePart> parts) {
  const std::wstring fresh = path + L".new";
  bool written = false;
  {
    KernelHandle file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    written = std::all_of(parts.begin(), parts.end(),
                          [&](const FilePart& part) { return WriteAll(file.get(), part); }) &&
              FlushFileBuffers(file.get());
  }
  if (written && MoveFileExW(fresh.c_str(), path.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(fresh.c_str());
  return false;
}

bool WriteFileAtomically(const std::wstring& path, const void* data, size_t size) {
  return WriteFileAtomically(path, {FilePart{data, size}});
}

}  // namespace graphics
