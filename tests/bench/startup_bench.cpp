// Start-up time: from launching a program to its visible main window, for the player with its
// catalogue and for a bare Win32 window holding a list box, over several runs; then the
// player's own time per start-up step, from the log it writes when asked. Given a second
// player (the same program in a folder whose background is another picture), the two run
// turn about, and their start-up, a step of a live resize and their memory are set side by side.
//   startup_bench.exe PLAYER_EXE [RUNS [OTHER_PLAYER_EXE]]
#include <windows.h>
//
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr char kBareClass[] = "BareBenchWindow";

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The comparison program: one captioned window with a filled list box, nothing else.
int RunBareWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kBareClass;
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, kBareClass, "bare", WS_OVERLAPPEDWINDOW, 100, 100, 634, 388,
                                nullptr, nullptr, wc.hInstance, nullptr);
  HWND list = CreateWindowExA(0, "ListBox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10, 200,
                              200, window, nullptr, wc.hInstance, nullptr);
  for (int i = 0; i < 10; ++i) {
    const std::string entry = "entry " + std::to_string(i);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

struct Search {
  DWORD pid;
  const char* cls;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof(cls));
  if (pid == s->pid && std::string(cls) == s->cls && IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// A program started and, once it shows, its visible top-level window of the class.
struct Launched {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
  double elapsed = -1;  // ms from CreateProcess to the visible window; -1 when none showed
};

Launched Launch(const std::string& commandLine, const std::string& folder, const char* cls) {
  Launched launched;
  std::string command = commandLine;
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  const double start = NowMs();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &launched.process)) {
    return launched;
  }
  Search search{launched.process.dwProcessId, cls, nullptr};
  while (NowMs() - start < 60000) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      launched.elapsed = NowMs() - start;
      break;
    }
    if (WaitForSingleObject(launched.process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  launched.window = search.found;
  return launched;
}

void Close(Launched& launched) {
  if (!launched.process.hProcess) return;
  if (launched.window) PostMessageA(launched.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(launched.process.hProcess, 20000) != WAIT_OBJECT_0) {
    TerminateProcess(launched.process.hProcess, 1);
  }
  CloseHandle(launched.process.hThread);
  CloseHandle(launched.process.hProcess);
  launched.process = {};
}

// Milliseconds from CreateProcess to a visible top-level window of that class; -1 on failure.
double TimeToWindow(const std::string& commandLine, const std::string& folder, const char* cls) {
  Launched launched = Launch(commandLine, folder, cls);
  Close(launched);
  return launched.elapsed;
}

double Median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void PrintSeries(const char* name, const std::vector<double>& times) {
  std::printf("%-30s median %7.1f ms  min %7.1f  max %7.1f  runs:", name, Median(times),
              *std::min_element(times.begin(), times.end()),
              *std::max_element(times.begin(), times.end()));
  for (double t : times) std::printf(" %.0f", t);
  std::printf("\n");
}

// What one start of a player shows: its start-up, one step of a live resize once it shows,
// and the memory it then holds.
struct PlayerFigures {
  std::vector<double> startup, resize, workingSetMb;
};

// Steps of a live resize as the mouse gives them: a few pixels at a time, each painted at once.
double MedianResizeStep(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  std::vector<double> steps;
  for (int i = 1; i <= 12; ++i) {
    const double t = NowMs();
    SetWindowPos(window, nullptr, 0, 0, w + (i % 2) * 8, h + (i % 2) * 6,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(window);  // the window's own thread paints before this returns
    steps.push_back(NowMs() - t);
  }
  return Median(steps);
}

void MeasureOnce(const std::string& player, PlayerFigures& figures) {
  const std::string folder = player.substr(0, player.find_last_of("\\/"));
  Launched launched = Launch("\"" + player + "\"", folder, "PlayerWindow");
  if (launched.window) {
    figures.startup.push_back(launched.elapsed);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(launched.window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    Sleep(500);  // the first paints and the catalogue's last answers settle
    // The working set: Wine reports no private bytes for another process.
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(launched.process.hProcess, &memory, sizeof(memory))) {
      figures.workingSetMb.push_back(static_cast<double>(memory.WorkingSetSize) / (1 << 20));
    }
    figures.resize.push_back(MedianResizeStep(launched.window));
  }
  Close(launched);
}

// The folder the player stands in names it: the bench script gives each picture a folder.
std::string FolderName(const std::string& player) {
  const std::string folder = player.substr(0, player.find_last_of("\\/"));
  return folder.substr(folder.find_last_of("\\/") + 1);
}

void PrintRow(const std::string& player, const PlayerFigures& f) {
  std::printf("%-18s %10.1f %12.2f %12.1f\n", FolderName(player).c_str(), Median(f.startup),
              Median(f.resize), Median(f.workingSetMb));
}

// The two players turn about, so that whatever else the machine does falls on both alike. The
// second also starts each time once without the reduced picture it keeps in config\ (a first
// start after an update or a new screen), which fills it again for its usual starts.
void CompareSideBySide(const std::string& first, const std::string& second, int runs) {
  PlayerFigures a, b, empty;
  const std::string cache =
      second.substr(0, second.find_last_of("\\/")) + "\\config\\picture.cache";
  for (int i = 0; i < runs; ++i) {
    DeleteFileA(cache.c_str());
    MeasureOnce(second, empty);
    MeasureOnce(i % 2 ? second : first, i % 2 ? b : a);
    MeasureOnce(i % 2 ? first : second, i % 2 ? a : b);
  }
  std::printf("\nSide by side, %d runs each (medians):\n", runs);
  std::printf("%-18s %10s %12s %12s\n", "player folder", "start ms", "resize ms", "working MB");
  PrintRow(first, a);
  PrintRow(second, b);
  std::printf("%-18s %10.1f %12.2f %12.1f\n", "  (no cache)", Median(empty.startup),
              Median(empty.resize), Median(empty.workingSetMb));
  std::printf("second without its cache against first: start-up %.2fx\n",
              Median(empty.startup) / Median(a.startup));
  std::printf(
      "second against first: start-up %.2fx, resize step %.2fx, working set %+.1f MB\n"
      "(a resize step here is the resize sent from this process and the repaint; the frame's\n"
      "own repaint after a resize is in skin_frame_bench below)\n",
      Median(b.startup) / Median(a.startup), Median(b.resize) / Median(a.resize),
      Median(b.workingSetMb) - Median(a.workingSetMb));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--bare") return RunBareWindow();
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_bench PLAYER_EXE [RUNS [OTHER_PLAYER_EXE]]\n");
    return 2;
  }
  const std::string player = argv[1];
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const std::string folder = player.substr(0, player.find_last_of("\\/"));
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof(self));
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof(temp), temp);
  const std::string log = std::string(temp) + "player-startup.log";

  std::vector<double> bare, full;
  // step name -> time of that step in each run
  std::map<std::string, std::vector<double>> steps;
  std::vector<std::string> order;
  SetEnvironmentVariableA("VELORY_EVENT_LOG", log.c_str());
  for (int i = 0; i < runs; ++i) {
    bare.push_back(TimeToWindow("\"" + std::string(self) + "\" --bare", "", kBareClass));
    DeleteFileA(log.c_str());
    full.push_back(TimeToWindow("\"" + player + "\"", folder, "PlayerWindow"));
    // The player's announcements: "<ms since its creation> step <name>" among the others.
    if (FILE* f = std::fopen(log.c_str(), "r")) {
      char line[512];
      double last = 0;
      while (std::fgets(line, sizeof(line), f)) {
        double at = 0;
        char name[200] = {};
        if (std::sscanf(line, "%lf step %199[^\n]", &at, name) == 2) {
          if (!steps.count(name)) order.push_back(name);
          steps[name].push_back(at - last);
          last = at;
        }
      }
      std::fclose(f);
    }
  }
  SetEnvironmentVariableA("VELORY_EVENT_LOG", nullptr);

  std::printf("Launch to visible main window, %d runs each:\n", runs);
  PrintSeries("bare window with a list box", bare);
  PrintSeries("player with its catalogue", full);
  std::printf("ratio of the medians: %.1fx\n", Median(full) / Median(bare));
  std::printf(
      "\nThe player's own steps (each step's median, min and max in ms, measured from the step\n"
      "before, the first from the process's creation; its share of the medians' sum):\n");
  double sum = 0;
  for (const std::string& name : order) sum += Median(steps[name]);
  for (const std::string& name : order) {
    const std::vector<double>& t = steps[name];
    std::printf("  %8.1f %8.1f %8.1f %5.1f%%  %s\n", Median(t),
                *std::min_element(t.begin(), t.end()), *std::max_element(t.begin(), t.end()),
                sum > 0 ? 100 * Median(t) / sum : 0.0, name.c_str());
  }
  std::printf("  %8.1f                    sum of the medians\n", sum);
  if (argc > 3) CompareSideBySide(player, argv[3], runs);
  return 0;
}
