// The folder source with a tree of 20,000 song files: files read per second, the memory the list
// of them takes, and how long the window waits for an answer while the tree is read (the read
// runs on a worker thread; the window's thread dispatches meanwhile).
//   wine build-test/tests/bench/folder_bench.exe [FILES]
#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "catalogue/folder_catalogue.h"

namespace {

SIZE_T WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return counters.WorkingSetSize;
}

LRESULT CALLBACK Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return message == WM_APP ? 1 : DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 20000;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring root = std::wstring(temp) + L"velory-folder-bench";
  CreateDirectoryW(root.c_str(), nullptr);
  constexpr int kPerFolder = 100;
  for (int i = 0; i < files; ++i) {
    const std::wstring folder = root + L"\\专辑 " + std::to_wstring(i / kPerFolder);
    if (i % kPerFolder == 0) CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring file = folder + L"\\歌 " + std::to_wstring(i) + L".mp3";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }

  WNDCLASSW wc{};
  wc.lpfnWndProc = Answer;
  wc.lpszClassName = L"VeloryFolderBench";
  RegisterClassW(&wc);
  HWND window =
      CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  // Another thread asks the window every 10 ms and keeps the longest wait for its answer.
  std::atomic<bool> reading{true};
  std::atomic<DWORD> longestWait{0};
  std::thread asker([&] {
    while (reading) {
      const DWORD start = GetTickCount();
      DWORD_PTR result = 0;
      SendMessageTimeoutW(window, WM_APP, 0, 0, SMTO_NORMAL, 5000, &result);
      const DWORD waited = GetTickCount() - start;
      if (waited > longestWait) longestWait = waited;
      Sleep(10);
    }
  });

  const SIZE_T before = WorkingSet();
  const DWORD start = GetTickCount();
  catalogue::FolderCatalogue catalogue;
  catalogue.Scan(root);
  const DWORD ms = GetTickCount() - start;
  const SIZE_T after = WorkingSet();
  reading = false;
  asker.join();

  std::printf("folder source: %zu files in %lu ms, %.0f files/s\n", catalogue.size(),
              static_cast<unsigned long>(ms), ms ? catalogue.size() * 1000.0 / ms : 0.0);
  std::printf("memory: +%.1f MB working set for the list\n", (after - before) / 1048576.0);
  std::printf("longest wait for the window's answer while reading: %lu ms\n",
              static_cast<unsigned long>(longestWait.load()));

  for (int i = 0; i < files; ++i) {
    const std::wstring folder = root + L"\\专辑 " + std::to_wstring(i / kPerFolder);
    DeleteFileW((folder + L"\\歌 " + std::to_wstring(i) + L".mp3").c_str());
    if (i % kPerFolder == kPerFolder - 1 || i == files - 1) RemoveDirectoryW(folder.c_str());
  }
  RemoveDirectoryW(root.c_str());
  DestroyWindow(window);
  return 0;
}
