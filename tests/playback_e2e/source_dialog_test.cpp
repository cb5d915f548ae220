// The music source dialog driven by its controls: offered at a first start with nothing to play,
// refusing bad choices with a message while the window keeps answering and the old setting stays,
// and a good choice played at once and kept for the next start. Then songs that are gone or
// cannot be played, passed over with a word on the face.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/playback_e2e/wine_player.h"

namespace {

using namespace wine_playback;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

constexpr UINT kMenuSource = 206;  // the tray menu's 音乐来源…

std::string MusicFolder() {
  std::string path = "Z:" FOLDER_MUSIC_UNIX;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// Types the choice into the dialog and presses 确定, or Enter in the field; the check's answer
// comes in the announcements.
void Choose(HWND dialog, const std::string& choice, bool enter = false) {
  HWND edit = FindWindowExA(dialog, nullptr, "Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  SendMessageW(edit, WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(testing_support::Wide(choice).c_str()));
  if (enter) {
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    return;
  }
  HWND ok = FindChild(dialog, "Button", "确定");
  ASSERT_NE(ok, nullptr);
  PostMessageA(ok, BM_CLICK, 0, 0);
}

// Presses 浏览… and answers the system's folder picker with the folder, typed into its name box.
void PickFolder(const PlayerProcess& player, HWND dialog, const std::string& folder) {
  PostMessageA(FindChild(dialog, "Button", "浏览…"), BM_CLICK, 0, 0);
  HWND picker = nullptr;
  ASSERT_TRUE(testing_support::WaitFor([&] {
    picker = player.FindWindowOfClass("#32770", true);
    return picker && GetDlgItem(picker, 0x480);  // the name box
  }));
  SendMessageW(GetDlgItem(picker, 0x480), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(testing_support::Wide(folder).c_str()));
  PostMessageA(picker, WM_COMMAND, IDOK, 0);
}

// A bad choice is refused with `why`, said in a message the dialog owns, which is then closed.
void ExpectRefused(const PlayerProcess& player, HWND dialog, const std::string& choice,
                   const std::string& why, const std::string& message, bool enter = false) {
  const auto& e = player.events();
  const size_t before = e.Count();
  Choose(dialog, choice, enter);
  ASSERT_GE(e.WaitFor("source refused " + why, before, 20000), 0) << e.Dump(before);
  HWND box = nullptr;
  EXPECT_EQ(player.WaitForMessageBox(10000, &box).rfind(message, 0), 0u) << choice;
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
  SendMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST(SourceDialog, AFirstStartWithNothingToPlayOffersItAndTheChosenFolderPlaysAndIsKept) {
  // No catalogue answers on this lane's port here, and no source was ever set.
  const PlayerFolder dir = MakePlayerFolder(TestName());
  // The smallest window, where the dialog centred on it would stand partly off the screen.
  WriteFileBytes(dir.Path("\\config\\main.txt"), "200#150");
  std::string folder = MusicFolder();
  {
    PlayerProcess player(dir.folder);
    const auto& e = player.events();
    ASSERT_GE(e.WaitFor("no songs ", 0, 40000), 0) << e.Dump();
    // The face reads the whole explanation.
    ASSERT_GE(e.WaitFor("face 音乐目录没有回应： ", 0, 20000), 0) << e.Dump();
    ASSERT_GE(e.WaitFor("source dialog shown", 0, 20000), 0) << e.Dump();
    HWND dialog = player.WaitForWindow("VelorySourceDialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), player.WaitForMainWindow());
    RECT r{};
    GetWindowRect(dialog, &r);
    MONITORINFO screen{};
    screen.cbSize = sizeof(screen);
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &screen);
    EXPECT_TRUE(r.left >= screen.rcWork.left && r.top >= screen.rcWork.top &&
                r.right <= screen.rcWork.right && r.bottom <= screen.rcWork.bottom)
        << r.left << "," << r.top << " " << r.right << "," << r.bottom;

    ExpectRefused(player, dialog, folder + "\\no such folder", "no folder", "找不到这个文件夹");
    ExpectRefused(player, dialog, folder + "\\nothing", "nothing playable",
                  "这个文件夹里没有能播放的歌曲");
    ExpectRefused(player, dialog, "music", "not a source", "请填写一个完整的文件夹路径", true);
    EXPECT_FALSE(testing_support::PathExists(dir.Path("\\config\\source.txt")));

    const size_t before = e.Count();
    PickFolder(player, dialog, folder);
    ASSERT_GE(e.WaitFor("source folder 11 " + folder, before, 20000), 0) << e.Dump(before);
    ASSERT_GE(e.WaitFor("batch 9", before, 20000), 0) << e.Dump(before);
    // Chosen where nothing played: the first song starts by itself.
    ASSERT_GE(e.WaitFor(FacePlaying(1), before, 20000), 0) << e.Dump(before);
    EXPECT_EQ(ReadFileBytes(dir.Path("\\config\\source.txt")), folder + "\r\n");
    player.Close();
    EXPECT_EQ(player.WaitForExit(10000), 0);
  }
  PlayerProcess again(dir.folder);
  ASSERT_GE(again.events().WaitFor("source folder 11 " + folder, 0, 40000), 0)
      << again.events().Dump();
  ASSERT_NE(again.WaitForMainWindow(40000), nullptr);
  again.Close();
  EXPECT_EQ(again.WaitForExit(10000), 0);
  EXPECT_EQ(again.events().CountOf("source dialog shown"), 0) << again.events().Dump();
}

class SourceAddress : public WinePlayback {};

TEST_F(SourceAddress, AnAddressThatRefusesAnswersGarbageOrHangsIsRefusedWhileTheWindowAnswers) {
  Start();
  const auto& e = events();
  HWND main = process_->WaitForMainWindow();
  PostMessageA(main, WM_COMMAND, kMenuSource, 0);
  HWND dialog = process_->WaitForWindow("VelorySourceDialog");
  ASSERT_NE(dialog, nullptr);

  ExpectRefused(*process_, dialog, "http://127.0.0.1:1/", "no answer", "这个地址没有应答");
  ExpectRefused(*process_, dialog, service_->BaseUrl("garbage"), "no list", "这个地址有应答");
  // A catalogue that hangs: the window answers throughout, and the check ends by itself.
  const size_t hang = e.Count();
  Choose(dialog, service_->BaseUrl("slow"));
  ASSERT_GE(Await("source checking ", hang), 0) << e.Dump(hang);
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
  ASSERT_GE(Await("source refused no answer", hang, 30000), 0) << e.Dump(hang);
  HWND box = nullptr;
  process_->WaitForMessageBox(10000, &box);
  ASSERT_NE(box, nullptr);
  SendMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(testing_support::PathExists(dir_.Path("\\config\\source.txt")));

  // The tray item brings the open dialog forward rather than a second one.
  PostMessageA(main, WM_COMMAND, kMenuSource, 0);
  ASSERT_GE(Await("source dialog brought forward", hang), 0) << e.Dump(hang);

  const size_t good = e.Count();
  Choose(dialog, service_->BaseUrl());
  ASSERT_GE(Await("source address " + service_->BaseUrl(), good), 0) << e.Dump(good);
  ASSERT_GE(Await("batch ", good), 0) << e.Dump(good);
  EXPECT_EQ(ReadFileBytes(dir_.Path("\\config\\source.txt")), service_->BaseUrl() + "\r\n");
}

// A folder of two songs, a file that is no song though named as one, and a song deleted after
// the folder was read: both bad ones are passed over, and the face says why once.
TEST(FolderSongs, AGoneFileAndOneThatCannotBePlayedArePassedOverAndSaidSo) {
  const std::string folder = testing_support::MakeScratchFolder(TestName() + "_music");
  WriteFileBytes(folder + "\\good.wav", ReadFileBytes(MusicFolder() + "\\fifth.wav"));
  WriteFileBytes(folder + "\\gone.mp3", ReadFileBytes(MusicFolder() + "\\plain.mp3"));
  WriteFileBytes(folder + "\\corrupt.mp3", std::string(4096, '\x5A'));
  const PlayerFolder dir = MakePlayerFolder(TestName());
  WriteFileBytes(dir.Path("\\config\\source.txt"), folder);
  PlayerProcess player(dir.folder);
  const auto& e = player.events();
  ASSERT_GE(e.WaitFor("source folder 3 ", 0, 40000), 0) << e.Dump();
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  const Player p = FindPlayer(main);
  ASSERT_TRUE(DeleteFileW(testing_support::Wide(folder + "\\gone.mp3").c_str()));
  std::vector<std::string> songs;
  HWND box = FindWindowExA(main, nullptr, "Button", nullptr);
  for (HWND l = FindWindowExA(box, nullptr, "ListBox", nullptr); l;
       l = FindWindowExA(box, l, "ListBox", nullptr)) {
    if (!IsWindowVisible(l)) songs = testing_support::ListBoxItems(l);
  }
  ASSERT_EQ(songs.size(), 4u);
  SendMessageA(p.singleLoop, BM_CLICK, 0, 0);
  for (const auto& [name, why] :
       {std::pair<std::string, std::string>{"gone", "文件已不在，跳过"}, {"corrupt", "无法播放"}}) {
    const int k = static_cast<int>(
        std::find(songs.begin(), songs.end(), folder + "\\" + name + ".mp3") - songs.begin());
    const size_t before = e.Count();
    DoubleClickEntry(p.visible, k);
    const std::string failed = "song failed " + std::to_string(k) + " " + why;
    ASSERT_GE(e.WaitFor(failed, before, 20000), 0) << e.Dump(before);
    ASSERT_GE(e.WaitFor("face 歌曲" + std::to_string(k) + " " + why, before, 20000), 0)
        << e.Dump(before);
    EXPECT_EQ(e.CountOf("state 8 song " + std::to_string(k), before), 0) << "taken as ended";
    // Said once: no retry of a file that cannot change.
    ASSERT_GE(e.WaitFor("tick given up", before, 10000), 0) << e.Dump(before);
    EXPECT_EQ(e.CountOf("play " + std::to_string(k) + " ", before), 1) << e.Dump(before);
  }
  player.Close();
  EXPECT_EQ(player.WaitForExit(10000), 0);
}

}  // namespace
