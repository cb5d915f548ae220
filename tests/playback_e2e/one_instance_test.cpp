// A second start of the player hands itself to the first: it shows the first (out of the tray,
// in front) or passes its command on, and ends.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include "tests/playback_e2e/wine_player.h"

namespace wine_playback {
namespace {

class OneInstance : public WinePlayback {
 protected:
  // Starts the player again with these arguments; its exit code.
  long StartAgain(const std::string& arguments) {
    PlayerProcess again(dir_.folder, "", arguments);
    EXPECT_TRUE(again.started());
    return again.WaitForExit(40000);
  }
};

// The face's accessible name, as a screen reader in another process reads it.
std::string AccessibleName(HWND window) {
  IAccessible* object = nullptr;
  if (AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                 reinterpret_cast<void**>(&object)) != S_OK) {
    return "(none)";
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::string result = "(no name)";
  if (object->get_accName(self, &name) == S_OK && name) {
    result = testing_support::ToUtf8(name);
  }
  SysFreeString(name);
  object->Release();
  return result;
}

TEST_F(OneInstance, ASecondStartShowsTheFirstAndPassesItsCommandOn) {
  Start();
  const auto& e = events();
  HWND main = process_->WaitForMainWindow();
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(testing_support::WaitFor([&] { return !IsWindowVisible(main); }, 5000));
  size_t mark = e.Count();
  EXPECT_EQ(StartAgain(""), 0);
  ASSERT_GE(Await("remote show", mark), 0) << e.Dump(mark);
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_FALSE(IsIconic(main));
  EXPECT_TRUE(testing_support::WaitFor([&] { return GetForegroundWindow() == main; }, 3000));
  // The first player goes on.
  HANDLE first = OpenProcess(SYNCHRONIZE, FALSE, process_->pid());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(first);

  // Neither loop mode: every song that starts is one a command asked for.
  SendMessageA(player_.listLoop, BM_SETCHECK, BST_UNCHECKED, 0);
  mark = e.Count();
  DoubleClickEntry(player_.visible, 3);
  ASSERT_GE(Await(Started(3), mark), 0) << e.Dump(mark);
  const size_t logStart = testing_support::ReadFileBytes(service_->LogPath()).size();
  mark = e.Count();
  EXPECT_EQ(StartAgain("/next"), 0);
  ASSERT_GE(Await("remote /next", mark), 0) << e.Dump(mark);
  ASSERT_GE(Await(FacePlaying(4), mark), 0) << e.Dump(mark);
  EXPECT_EQ(SongRequests(service_->LogPath(), logStart, 4), 1);
  EXPECT_EQ(e.CountOf("play ", mark), 1) << e.Dump(mark);
  // What the face shows, title and all, is its accessible name.
  CoInitialize(nullptr);
  const int shown = Await(FacePlaying(4), mark);
  const std::string line = e.Lines()[static_cast<size_t>(shown)];
  const std::string title = line.substr(line.find('\t') + 1);
  EXPECT_FALSE(title.empty()) << line;
  const std::string name = AccessibleName(player_.face);
  EXPECT_EQ(name.rfind("歌曲4 正在播放 ", 0), 0u) << name;
  EXPECT_NE(name.find(" " + title), std::string::npos) << name << " / " << title;

  // Space held down: the first press pauses, its repeats do nothing, up to the loop's next tick.
  mark = e.Count();
  PostMessageA(player_.visible, WM_KEYDOWN, VK_SPACE, 1);
  for (int i = 0; i < 5; ++i) PostMessageA(player_.visible, WM_KEYDOWN, VK_SPACE, 0x40000001);
  PostMessageA(player_.visible, WM_KEYUP, VK_SPACE, 0xC0000001);
  const int paused = Await("face 歌曲4 已暂停", mark);
  ASSERT_GE(paused, 0) << e.Dump(mark);
  const int tick = Await("tick ", static_cast<size_t>(paused));
  ASSERT_GE(tick, 0) << e.Dump(mark);
  EXPECT_EQ(
      e.CountOf("face 歌曲4 正在播放", static_cast<size_t>(paused), static_cast<size_t>(tick)), 0)
      << e.Dump(mark);

  // An unknown command is refused by the second start itself, which says so by its code.
  EXPECT_EQ(StartAgain("/rewind"), 2);
  mark = e.Count();
  EXPECT_EQ(StartAgain("/STOP"), 0);
  ASSERT_GE(Await("face 歌曲4 已停止", mark), 0) << e.Dump(mark);
  EXPECT_EQ(e.CountOf("remote refused", 0), 0) << e.Dump();
  CoUninitialize();
}

}  // namespace
}  // namespace wine_playback
