#include "app/atomic_file.h"

#include <windows.h>

#include "app/data_files.h"

namespace app {

bool WriteFileAtomically(const std::wstring& path, const std::string& bytes) {
  const std::wstring target = LongPath(path), beside = LongPath(path + L".new");
  HANDLE file = CreateFileW(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size() && FlushFileBuffers(file);
  CloseHandle(file);
  if (whole && MoveFileExW(beside.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(beside.c_str());
  return false;
}

}  // namespace app
