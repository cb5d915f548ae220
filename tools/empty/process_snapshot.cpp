#include "tools/empty/process_snapshot.h"

#include <winternl.h>

#include <cstdlib>

namespace empty_tool {
namespace {

using QuerySystemInformation = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

constexpr ULONG kSystemProcessInformation = 5;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
constexpr ULONG kFirstBufferSize = 65536;
constexpr ULONG kBufferGrowth = 8192;
// A list this large means the answer will never fit; stop rather than grow for ever.
constexpr ULONG kLargestBuffer = 64u << 20;

// Holds the list the system answered, or nothing.
class SnapshotBuffer {
 public:
  SnapshotBuffer() = default;
  SnapshotBuffer(const SnapshotBuffer&) = delete;
  SnapshotBuffer& operator=(const SnapshotBuffer&) = delete;
  ~SnapshotBuffer() { std::free(data_); }

  bool Fill(QuerySystemInformation query) {
    for (size_ = kFirstBufferSize; size_ <= kLargestBuffer; size_ += kBufferGrowth) {
      std::free(data_);
      data_ = static_cast<unsigned char*>(std::malloc(size_));
      if (!data_) return false;
      const LONG status = query(kSystemProcessInformation, data_, size_, nullptr);
      if (status == kInfoLengthMismatch) continue;
      return status >= 0;
    }
    return false;
  }
  const unsigned char* data() const { return data_; }
  ULONG size() const { return size_; }

 private:
  unsigned char* data_ = nullptr;
  ULONG size_ = 0;
};

}  // namespace

std::string BaseImageName(const wchar_t* path, size_t length) {
  if (!path) return {};
  size_t start = 0;
  for (size_t i = 0; i < length; ++i) {
    if (path[i] == L'\\') start = i + 1;
  }
  const int wide = static_cast<int>(length - start);
  if (wide <= 0) return {};
  const int bytes =
      WideCharToMultiByte(CP_ACP, 0, path + start, wide, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string name(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, path + start, wide, name.data(), bytes, nullptr, nullptr);
  return name;
}

bool TakeProcessSnapshot(ProcessTable& table) {
  const auto query = reinterpret_cast<QuerySystemInformation>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation"));
  if (!query) return false;
  SnapshotBuffer buffer;
  if (!buffer.Fill(query)) return false;

  ULONG offset = 0;
  while (offset + sizeof(SYSTEM_PROCESS_INFORMATION) <= buffer.size()) {
    const auto* info = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
    const std::string name =
        BaseImageName(info->ImageName.Buffer, info->ImageName.Length / sizeof(wchar_t));
    const auto id = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(info->UniqueProcessId));
    if (!table.Add(id, name)) break;
    if (info->NextEntryOffset == 0) break;
    offset += info->NextEntryOffset;
  }
  return true;
}

}  // namespace empty_tool
