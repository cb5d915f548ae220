// wait-window CLASS [TIMEOUT_MS]: exits 0 once a visible top-level window of that class exists,
// 1 when the time runs out. Used by ./run to know when to take the screenshot.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const DWORD timeout = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 30000;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeout) {
    HWND w = FindWindowA(argv[1], nullptr);
    if (w && IsWindowVisible(w)) return 0;
    Sleep(100);
  }
  return 1;
}
