// The real player plays the service's real WAV songs: watched through what it announces, what
// its face shows at each refresh and what the control reports, song by song.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/playback_e2e/wine_player.h"

namespace {

using namespace wine_playback;

// A song of a real music library, an mp3 the service found and read the tags of, plays to its
// end under the title its tags give.
TEST_F(WinePlayback, ASongOfAMusicLibraryPlaysToItsEndUnderItsTagsTitle) {
  Start(std::string("--music " ONE_SONG_LIBRARY_UNIX " --data " SCRATCH_UNIX "/library-index-") +
        std::to_string(GetCurrentProcessId()));
  const auto& e = events();
  DoubleClickEntry(player_.visible, 1);
  const int shown = Await(FacePlaying(1), 0);
  ASSERT_GE(shown, 0) << e.Dump();
  const std::string& face = e.Lines()[shown];
  EXPECT_EQ(face.substr(face.find('\t') + 1), "晨风 - Short 'n' <b>Sweet</b>") << face;
  EXPECT_GE(Await(Ended(1), shown), 0) << e.Dump();
}

// A song chosen just after another ended plays to its end; the face names every song by its
// number in its batch, across the end of the batch and another batch fetched while one plays.
TEST_F(WinePlayback, TheChosenSongPlaysToItsEndAndTheFaceNamesEachSongOfItsBatch) {
  Start();
  const auto& e = events();
  DoubleClickEntry(player_.visible, 2);
  ASSERT_GE(Await(Ended(2), 0), 0) << e.Dump();
  const size_t chosen = e.Count();
  DoubleClickEntry(player_.visible, 7);  // before the loop timer's next tick
  const int nextBatch = Await(Started(1), chosen, 40000);
  ASSERT_GE(nextBatch, 0) << e.Dump(chosen);
  ASSERT_GE(Await(FacePlaying(1), nextBatch), 0) << e.Dump(chosen);
  // 7, 8 and 9 in turn, each shown on the face and heard to its end before the next starts.
  int at = static_cast<int>(chosen);
  for (int song = 7; song <= 9; ++song) {
    const int started = e.WaitFor(Started(song), at, 0);
    ASSERT_GE(started, 0) << "song " << song << " did not start: " << e.Dump(chosen);
    const int shown = e.WaitFor(FacePlaying(song), started, 0);
    const int ended = e.WaitFor(Ended(song), started, 0);
    ASSERT_GE(ended, 0) << "song " << song << " was not heard to its end: " << e.Dump(chosen);
    EXPECT_LT(shown, ended) << "song " << song << " not on the face: " << e.Dump(chosen);
    EXPECT_GE(shown, 0) << "song " << song << " not on the face: " << e.Dump(chosen);
    EXPECT_EQ(e.CountOf("play ", started + 1, ended), 0) << e.Dump(chosen);
    at = ended;
  }
  EXPECT_EQ(e.CountOf("play ", at, nextBatch), 0) << e.Dump(chosen);
  EXPECT_EQ(e.CountOf("batch ", at, nextBatch), 1) << e.Dump(chosen);

  // Another batch while song 1 plays: still song 1, until the loop starts another.
  const size_t clicked = e.Count();
  PostMessageA(FindChild(GetParent(player_.visible), "Button", "换一批"), BM_CLICK, 0, 0);
  ASSERT_GE(Await("batch ", clicked), 0) << e.Dump(clicked);
  const int ended = Await(Ended(1), clicked);
  ASSERT_GE(ended, 0) << e.Dump(clicked);
  EXPECT_EQ(e.CountOf("play ", clicked, ended), 0) << e.Dump(clicked);
  const int next = Await("play ", ended);
  ASSERT_GE(next, 0) << e.Dump(clicked);
  const int number = std::atoi(e.Lines()[next].c_str() + std::strlen("play "));
  ASSERT_GE(Await(FacePlaying(number), next), 0) << e.Dump(clicked);
  for (const std::string& line : e.Lines()) {
    if (line.rfind(kFace, 0) != 0) continue;
    const std::string face = line.substr(std::strlen(kFace));
    if (face.rfind("--", 0) == 0) {
      EXPECT_EQ(face.rfind("-- 已停止", 0), 0u) << "no song named while one plays: " << e.Dump();
      continue;
    }
    const int shown = std::atoi(face.c_str() + std::string("歌曲").size());
    EXPECT_TRUE(shown >= 1 && shown <= 9) << face << ": " << e.Dump();
  }
}

// In single-song loop the song chosen just after another ended is the one repeated, each time
// from the file fetched once.
TEST_F(WinePlayback, TheSingleSongLoopRepeatsTheChosenSongFromOneDownload) {
  Start();
  const auto& e = events();
  const size_t logStart = testing_support::ReadFileBytes(service_->LogPath()).size();
  SendMessageA(player_.singleLoop, BM_CLICK, 0, 0);
  DoubleClickEntry(player_.visible, 2);
  ASSERT_GE(Await(Ended(2), 0), 0) << e.Dump();
  const size_t chosen = e.Count();
  DoubleClickEntry(player_.visible, 7);  // before the loop timer's next tick
  int at = Await(Started(7), chosen);
  ASSERT_GE(at, 0) << e.Dump(chosen);
  for (int round = 1; round <= 3; ++round) {
    const int ended = Await(Ended(7), at);
    ASSERT_GE(ended, 0) << "round " << round << ": " << e.Dump(chosen);
    // It was on the face from the beginning; then it stops, and starts again.
    const int shown = e.WaitFor(FacePlaying(7), at, 0);
    ASSERT_GE(shown, 0) << "round " << round << ": " << e.Dump(chosen);
    EXPECT_LT(shown, ended);
    EXPECT_NE(e.Lines()[shown].find(" 0:0"), std::string::npos) << e.Dump(chosen);
    if (round < 3) {
      at = Await("tick replayed", ended);
      ASSERT_GE(at, 0) << e.Dump(chosen);
      // The replay: song 7 again, and nothing else.
      EXPECT_EQ(e.CountOf("play ", ended, at), 1) << e.Dump(chosen);
      EXPECT_EQ(e.CountOf(Started(7), ended, at), 1) << e.Dump(chosen);
    }
  }
  EXPECT_EQ(e.CountOf(Started(2), chosen), 0) << e.Dump(chosen);
  EXPECT_EQ(SongRequests(service_->LogPath(), logStart, 7), 1);
  EXPECT_EQ(SongRequests(service_->LogPath(), logStart, 2), 1);
}

TEST_F(WinePlayback, ANewerSongWhileOneStillLoadsIsTheOneThatPlays) {
  Start("--song-fault 3=trickle");
  const auto& e = events();
  DoubleClickEntry(player_.visible, 3);
  ASSERT_GE(Await("face 歌曲3 正在载入 0:00", 0, 10000), 0) << e.Dump();
  DoubleClickEntry(player_.visible, 5);
  const int ended = Await(Ended(5), 0);
  ASSERT_GE(ended, 0) << e.Dump();
  // The loop goes on from the newer song, and the older one never played.
  ASSERT_GE(Await(FacePlaying(6), ended), 0) << e.Dump();
  EXPECT_EQ(e.CountOf(FacePlaying(3)), 0) << e.Dump();
  EXPECT_EQ(e.CountOf("state 3 song 3"), 0) << e.Dump();
}

TEST_F(WinePlayback, ASongRefusedOrCutShortIsPassedOver) {
  Start("--song-fault 4=close-mid-body --song-fault 5=status500");
  const auto& e = events();
  DoubleClickEntry(player_.visible, 3);
  ASSERT_GE(Await(FacePlaying(6), 0, 40000), 0) << e.Dump();
  EXPECT_GE(e.CountOf(Ended(3)), 1) << e.Dump();
  // Each failed song says why.
  EXPECT_GE(e.CountOf("song failed 4 连接中断"), 1) << e.Dump();
  EXPECT_GE(e.CountOf("song failed 5 服务器出错（状态 500）"), 1) << e.Dump();
  EXPECT_EQ(e.CountOf(FacePlaying(4)), 0) << e.Dump();
  EXPECT_EQ(e.CountOf(FacePlaying(5)), 0) << e.Dump();
}

// The player's song files in the temporary folder, by its process id.
int SongFiles(DWORD pid) {
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof(temp), temp);
  const std::string pattern = std::string(temp) + "velory-" + std::to_string(pid) + "-*";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(testing_support::Wide(pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do {
    ++n;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return n;
}

TEST_F(WinePlayback, NoSongFileOutlivesTheNextSongOrTheProgram) {
  Start();
  // Neither loop mode: after song 2 nothing else starts, so the files stay as they are.
  SendMessageA(player_.listLoop, BM_SETCHECK, BST_UNCHECKED, 0);
  DoubleClickEntry(player_.visible, 1);
  ASSERT_GE(Await(FacePlaying(1), 0), 0) << events().Dump();
  const size_t second = events().Count();
  DoubleClickEntry(player_.visible, 2);
  ASSERT_GE(Await(Ended(2), second), 0) << events().Dump();
  EXPECT_EQ(SongFiles(process_->pid()), 1);  // song 1's went when song 2 started
  const DWORD pid = process_->pid();
  process_->Close();
  EXPECT_EQ(process_->WaitForExit(10000), 0);
  process_.reset();
  EXPECT_EQ(SongFiles(pid), 0);
}

}  // namespace
