#include "tests/skin/window/resource_count.h"

// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <vector>

namespace skin_test {

int FreeGdiSlots() {
  std::vector<HBRUSH> brushes;
  brushes.reserve(70000);
  while (HBRUSH b = CreateSolidBrush(RGB(1, 2, 3))) brushes.push_back(b);
  for (HBRUSH b : brushes) DeleteObject(b);
  return static_cast<int>(brushes.size());
}

size_t CommittedBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof(counters));
  return counters.PagefileUsage;  // Wine leaves PrivateUsage at 0
}

}  // namespace skin_test
