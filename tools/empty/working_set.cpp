#include "tools/empty/working_set.h"

namespace empty_tool {
namespace {

using SetSystemInformation = LONG(NTAPI*)(ULONG, PVOID, ULONG);

constexpr ULONG kSystemFileCacheInformation = 21;

// Nine 32-bit fields: current size, peak size, page faults, minimum working set, maximum working
// set, two sizes with transition pages, re-purpose count, flags.
struct FileCacheRecord {
  ULONG currentSize = 0;
  ULONG peakSize = 0;
  ULONG pageFaultCount = 0;
  ULONG minimumWorkingSet = 0;
  ULONG maximumWorkingSet = 0;
  ULONG currentSizeWithTransition = 0;
  ULONG peakSizeWithTransition = 0;
  ULONG transitionRepurposeCount = 0;
  ULONG flags = 0;
};
static_assert(sizeof(FileCacheRecord) == 36);

}  // namespace

bool EmptyProcessWorkingSet(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
  if (!process) return false;
  SIZE_T minimum = 0, maximum = 0;
  if (GetProcessWorkingSetSize(process, &minimum, &maximum)) {
    // Both sizes at -1 ask for every page that can go.
    SetProcessWorkingSetSize(process, static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  }
  CloseHandle(process);
  return true;
}

bool EmptySystemFileCache() {
  const auto set = reinterpret_cast<SetSystemInformation>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtSetSystemInformation"));
  if (!set) return false;
  FileCacheRecord record;
  record.minimumWorkingSet = 0xFFFFFFFF;
  record.maximumWorkingSet = 0xFFFFFFFF;
  return set(kSystemFileCacheInformation, &record, sizeof record) >= 0;
}

}  // namespace empty_tool
