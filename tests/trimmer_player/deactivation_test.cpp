// The real player: it carries the tool, and going to the background starts the trimmer.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "embedded/trimmer_image.h"
#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::DistFolder;
using testing_support::MakePlayerFolder;
using testing_support::MakeScratchFolder;
using testing_support::PathExists;
using testing_support::PlayerProcess;
using testing_support::ReadFileBytes;
using testing_support::WaitFor;

std::string HelperPath() {
  std::string path = TRIM_HELPER_UNIX;
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

TEST(TrimmerInPlayer, PlayerExeHoldsTheWholeToolImage) {
  const std::string player = ReadFileBytes(DistFolder() + "\\player.exe");
  const std::string image(reinterpret_cast<const char*>(resources::empty_exe.data()),
                          resources::empty_exe.size());
  ASSERT_GT(image.size(), 1024u);
  EXPECT_NE(player.find(image), std::string::npos);
}

// A window of this process to hand the activation to.
class OtherWindow {
 public:
  OtherWindow() {
    window_ = CreateWindowExA(0, "STATIC", "other application", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              700, 500, 200, 100, nullptr, nullptr, nullptr, nullptr);
  }
  ~OtherWindow() { DestroyWindow(window_); }
  OtherWindow(const OtherWindow&) = delete;
  OtherWindow& operator=(const OtherWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

bool BringToFront(HWND window) {
  return WaitFor([&] {
    Pump();
    if (GetForegroundWindow() != window) SetForegroundWindow(window);
    return GetForegroundWindow() == window;
  });
}

// The windows folder holds a recorder as empty.exe; it writes down each start.
TEST(TrimmerInPlayer, EveryDeactivationStartsTheToolWithThePlayersIdAndActivationDoesNot) {
  const std::string windir = MakeScratchFolder("trimmer_player_windir");
  const std::string record = windir + "\\record.txt";
  ASSERT_TRUE(CopyFileA(HelperPath().c_str(), (windir + "\\empty.exe").c_str(), FALSE));
  char oldWindir[MAX_PATH] = {};
  GetEnvironmentVariableA("windir", oldWindir, MAX_PATH);
  SetEnvironmentVariableA("windir", windir.c_str());
  SetEnvironmentVariableA("TRIM_HELPER_RECORD", record.c_str());
  const auto dir = MakePlayerFolder("trimmer_player");
  // The built-in address set on purpose: the first start's source dialog, a skinned window,
  // would start the tool on deactivations of its own.
  testing_support::WriteFileBytes(dir.Path("\\config\\source.txt"), "");
  PlayerProcess player(dir.folder);
  SetEnvironmentVariableA("windir", oldWindir);
  SetEnvironmentVariableA("TRIM_HELPER_RECORD", nullptr);
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  const std::string expected = windir + "\\empty.exe " + std::to_string(player.pid()) + "\n";
  OtherWindow other;
  ASSERT_NE(other.get(), nullptr);

  // Each start the player makes it announces ("trimmer"); the recorder writes down how it was
  // started. What the start-up itself set off is over by the loop timer's first tick.
  const auto& e = player.events();
  int tick = e.WaitFor("tick ");
  ASSERT_GE(tick, 0) << e.Dump();
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    // Coming to the front starts nothing, up to the next tick after the activation.
    const size_t mark = e.Count();
    ASSERT_TRUE(BringToFront(main));
    const int activated = e.WaitFor("activated", mark);
    ASSERT_GE(activated, 0) << e.Dump(mark);
    tick = e.WaitFor("tick ", activated);
    ASSERT_GE(tick, 0) << e.Dump(mark);
    // Under load the system may take the front away for a moment on the way: each deactivation
    // starts the tool once, an activation never.
    EXPECT_EQ(e.CountOf("trimmer", mark, tick), e.CountOf("deactivated", mark, tick))
        << e.Dump(mark);

    // Going to the background starts it once, with the player's id.
    DeleteFileA(record.c_str());
    ASSERT_TRUE(BringToFront(other.get()));
    ASSERT_GE(e.WaitFor("trimmer", tick), 0) << e.Dump(tick);
    // The recorder makes its file before it writes its line: wait for the whole line.
    std::string text;
    ASSERT_TRUE(
        WaitFor([&] { return (text = ReadFileBytes(record)).find('\n') != std::string::npos; }));
    EXPECT_EQ(text.substr(0, text.find('\n') + 1), expected);
    EXPECT_EQ(e.CountOf("trimmer", tick), 1) << e.Dump(tick);
  }
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

}  // namespace
