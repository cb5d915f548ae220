// The player with a folder of real encoded songs as its music source and no catalogue service:
// the list, a song heard to its end, the list loop, another batch, and the source given on the
// command line.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/playback_e2e/wine_player.h"

namespace {

using namespace wine_playback;
using testing_support::ListBoxItems;

// The test music folder as the player's paths name it (Wine's Z: is the Linux root).
std::string MusicFolder() {
  std::string path = "Z:" FOLDER_MUSIC_UNIX;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}
constexpr int kSongsInFolder = 11;

HWND SongList(HWND main) {
  HWND box = FindWindowExA(main, nullptr, "Button", nullptr);
  for (HWND l = FindWindowExA(box, nullptr, "ListBox", nullptr); l;
       l = FindWindowExA(box, l, "ListBox", nullptr)) {
    if (!IsWindowVisible(l)) return l;
  }
  return nullptr;
}

// The song entries of the hidden list, without its header.
std::vector<std::string> Songs(HWND songList) {
  std::vector<std::string> entries = ListBoxItems(songList);
  if (!entries.empty()) entries.erase(entries.begin());
  return entries;
}

std::string FileTitle(const std::string& path) {
  std::string name = path.substr(path.find_last_of('\\') + 1);
  return name.substr(0, name.rfind('.'));
}

TEST(FolderSource, ASongPlaysToItsEndTheListLoopMovesOnAndAnotherBatchDrawsTheRest) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  testing_support::WriteFileBytes(dir.Path("\\config\\source.txt"), MusicFolder() + "\r\n");
  PlayerProcess player(dir.folder);
  const auto& events = player.events();
  ASSERT_GE(events.WaitFor("source folder " + std::to_string(kSongsInFolder) + " " + MusicFolder(),
                           0, 40000),
            0)
      << events.Dump();
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  const Player p = FindPlayer(main);
  HWND songList = SongList(main);
  ASSERT_TRUE(p.visible && p.face && p.listLoop && songList);

  const std::vector<std::string> first = Songs(songList);
  ASSERT_EQ(first.size(), 9u);
  for (const std::string& song : first) EXPECT_EQ(song.rfind(MusicFolder() + "\\", 0), 0u) << song;
  EXPECT_EQ(std::set<std::string>(first.begin(), first.end()).size(), 9u);

  SendMessageA(p.listLoop, BM_CLICK, 0, 0);
  const size_t before = events.Count();
  DoubleClickEntry(p.visible, 1);
  ASSERT_GE(events.WaitFor(Started(1) + first[0], before, 20000), 0) << events.Dump(before);
  // Titles come from the file names where no tag is read.
  ASSERT_GE(events.WaitFor(
                [&](const std::string& line) {
                  return line.rfind(FacePlaying(1), 0) == 0 &&
                         line.find("\t" + FileTitle(first[0])) != std::string::npos;
                },
                before, 20000),
            0)
      << events.Dump(before);
  const int ended = events.WaitFor(Ended(1), before, 20000);
  ASSERT_GE(ended, 0) << "the song was not heard to its end\n" << events.Dump(before);
  ASSERT_GE(events.WaitFor(Started(2) + first[1], ended, 20000), 0) << events.Dump(before);

  // The download button saves a copy of the song that plays.
  const std::string kind = first[1].substr(first[1].rfind('.'));
  const std::string saved =
      testing_support::MakeScratchFolder(TestName() + "_saved") + "\\copy" + kind;
  const size_t beforeSave = events.Count();
  PostMessageA(p.download, BM_CLICK, 0, 0);
  std::string suggested;
  ASSERT_TRUE(testing_support::AnswerFileDialog(player, saved, &suggested));
  // The song's title, here its file name (Wine's property store gives no tags).
  const std::string name = first[1].substr(first[1].rfind('\\') + 1);
  EXPECT_EQ(suggested, name);
  ASSERT_GE(events.WaitFor("download saved " + saved, beforeSave, 20000), 0)
      << events.Dump(beforeSave);
  const std::string copy = testing_support::ReadFileBytes(saved);
  EXPECT_FALSE(copy.empty());
  EXPECT_TRUE(copy == testing_support::ReadFileBytes(first[1])) << "the copy differs";

  // Another batch: the two songs the first one left out come before any song comes again.
  HWND another = FindChild(FindWindowExA(main, nullptr, "Button", nullptr), "Button", "换一批");
  ASSERT_NE(another, nullptr);
  const size_t beforeBatch = events.Count();
  PostMessageA(another, BM_CLICK, 0, 0);
  ASSERT_GE(events.WaitFor("batch 9", beforeBatch, 20000), 0) << events.Dump(beforeBatch);
  const std::vector<std::string> second = Songs(songList);
  ASSERT_EQ(second.size(), 9u);
  const int fresh = std::count_if(second.begin(), second.end(), [&](const std::string& s) {
    return std::find(first.begin(), first.end(), s) == first.end();
  });
  EXPECT_EQ(fresh, kSongsInFolder - 9);

  player.Close();
  EXPECT_EQ(player.WaitForExit(10000), 0);
}

TEST(FolderSource, TheCommandLineSourceReplacesADamagedSettingAndIsKept) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  // A megabyte of garbage where the setting should be.
  testing_support::WriteFileBytes(dir.Path("\\config\\source.txt"), std::string(1 << 20, '\x9C'));
  {
    PlayerProcess damaged(dir.folder);
    ASSERT_GE(damaged.events().WaitFor("source built-in", 0, 40000), 0) << damaged.events().Dump();
    ASSERT_NE(damaged.WaitForMainWindow(40000), nullptr);
    damaged.Close();
    EXPECT_EQ(damaged.WaitForExit(10000), 0);
    // Read as the built-in address, and left as it was.
    EXPECT_EQ(testing_support::ReadFileBytes(dir.Path("\\config\\source.txt")),
              std::string(1 << 20, '\x9C'));
  }
  PlayerProcess player(dir.folder, "", "/source \"" + MusicFolder() + "\\\\\"");
  ASSERT_GE(player.events().WaitFor("source folder " + std::to_string(kSongsInFolder), 0, 40000), 0)
      << player.events().Dump();
  EXPECT_EQ(testing_support::ReadFileBytes(dir.Path("\\config\\source.txt")),
            MusicFolder() + "\r\n");
  ASSERT_NE(player.WaitForMainWindow(40000), nullptr);
  player.Close();
  EXPECT_EQ(player.WaitForExit(10000), 0);
}

TEST(FolderSource, AFolderWithNoSongSaysSoWhereTheSongsWouldBe) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  // A folder that holds only files that are no songs.
  const std::string empty = MusicFolder() + "\\nothing";
  testing_support::WriteFileBytes(dir.Path("\\config\\source.txt"), empty);
  PlayerProcess player(dir.folder);
  ASSERT_GE(player.events().WaitFor("no songs " + empty, 0, 40000), 0) << player.events().Dump();
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  const std::vector<std::string> shown = ListBoxItems(FindPlayer(main).visible);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], "这个文件夹里没有能播放的歌曲：");
  EXPECT_EQ(shown[1], empty);
  EXPECT_EQ(testing_support::ReadFileBytes(dir.Path("\\config\\source.txt")), empty);
  player.Close();
  EXPECT_EQ(player.WaitForExit(10000), 0);
}

}  // namespace
