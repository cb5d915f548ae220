// Songs that fail to load fail out loud: the face says why, the single loop gives up after
// three tries, the list loop holds after three songs in a row and goes on when the catalogue
// answers again, and a trickling song shows its progress until the stall ends it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/playback_e2e/wine_player.h"

namespace {

using namespace wine_playback;

TEST_F(WinePlayback, TheSingleLoopTriesAFailingSongThreeTimesThenSaysItGaveUp) {
  Start("--song-fault 3=status500");
  const auto& e = events();
  const size_t logStart = testing_support::ReadFileBytes(service_->LogPath()).size();
  SendMessageA(player_.singleLoop, BM_CLICK, 0, 0);
  DoubleClickEntry(player_.visible, 3);
  const int gaveUp = Await("song failed 3 服务器出错（状态 500）\tgiven up", 0, 30000);
  ASSERT_GE(gaveUp, 0) << e.Dump();
  EXPECT_EQ(e.CountOf("song failed 3 服务器出错（状态 500）\tretrying"), 2) << e.Dump();
  ASSERT_GE(Await("face 歌曲3 服务器出错（状态 500） · 试了三次，已放弃 0:00", gaveUp), 0)
      << e.Dump(gaveUp);
  // Two ticks later still nothing more was asked for.
  const int later = Await("tick given up", Await("tick given up", gaveUp) + 1);
  ASSERT_GE(later, 0) << e.Dump(gaveUp);
  EXPECT_EQ(SongRequests(service_->LogPath(), logStart, 3), 3);
}

TEST_F(WinePlayback, TheListLoopHoldsAfterThreeFailuresAndGoesOnWhenTheCatalogueAnswers) {
  Start();
  const auto& e = events();
  DoubleClickEntry(player_.visible, 1);
  ASSERT_GE(Await(FacePlaying(1), 0), 0) << e.Dump();
  service_.reset();  // the catalogue goes away
  const size_t stopped = e.Count();
  DoubleClickEntry(player_.visible, 2);
  const int held = Await("song failed 4 ", stopped, 30000);
  ASSERT_GE(held, 0) << e.Dump(stopped);
  EXPECT_NE(e.Lines()[held].find("\tunreachable"), std::string::npos) << e.Lines()[held];
  EXPECT_GE(Await("face 歌曲4 无法连接服务器 · 无法连接曲库，连通后自动继续", held), 0)
      << e.Dump(held);
  // It tries song 4 again, not song 5, while the catalogue is away.
  ASSERT_GE(Await("tick retried", held), 0) << e.Dump(held);
  service_ = std::make_unique<CatalogueService>(testing_support::CataloguePort());
  ASSERT_TRUE(service_->ready());
  const int resumed = Await(FacePlaying(4), held, 30000);
  ASSERT_GE(resumed, 0) << e.Dump(held);
  EXPECT_EQ(e.CountOf(Started(5), stopped, resumed), 0) << e.Dump(stopped);
}

TEST_F(WinePlayback, ATricklingSongShowsWhatArrivedUntilTheStallEndsIt) {
  SetEnvironmentVariableW(L"VELORY_STALL_MS", L"2000");
  Start("--song-fault 3=trickle");
  SetEnvironmentVariableW(L"VELORY_STALL_MS", nullptr);
  const auto& e = events();
  DoubleClickEntry(player_.visible, 3);
  const int loading = Await("face 歌曲3 正在载入 0% 0:00", 0, 10000);
  ASSERT_GE(loading, 0) << e.Dump();
  const int stalled = Await("song failed 3 载入停滞（2 秒内几乎没有收到数据）", loading);
  ASSERT_GE(stalled, 0) << e.Dump(loading);
  // The list loop moves on after a single failure.
  EXPECT_GE(Await(Started(4), stalled), 0) << e.Dump(stalled);
}

}  // namespace
