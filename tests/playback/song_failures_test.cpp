// The decisions about failing songs, by table: what each failure leads to, and when a waiting
// retry falls due; and when a trickling load counts as stalled.
#include "catalogue/song_failures.h"

#include <gtest/gtest.h>

#include <vector>

#include "catalogue/stall_watch.h"

namespace {

using catalogue::SongFailures;
using Verdict = SongFailures::Verdict;

struct Expected {
  Verdict verdict;
  int pauseTicks;
};

// Feeds failures in one loop; after each, ticks until the retry falls due and checks it takes
// exactly the stated pause.
void ExpectSteps(SongFailures& f, bool single, const std::vector<Expected>& table) {
  for (size_t i = 0; i < table.size(); ++i) {
    const SongFailures::Step step = single ? f.FailedInSingleLoop() : f.FailedInListLoop();
    EXPECT_EQ(step.verdict, table[i].verdict) << "failure " << i + 1;
    EXPECT_EQ(step.pauseTicks, table[i].pauseTicks) << "failure " << i + 1;
    int ticks = 0;
    while (f.retryWaiting() && ticks < 100) {
      ++ticks;
      if (f.TickDue()) break;
    }
    EXPECT_EQ(ticks, table[i].pauseTicks) << "failure " << i + 1;
  }
}

TEST(SongFailures, TheSingleLoopTriesThreeTimesWithAGrowingPauseThenGivesUp) {
  SongFailures f;
  ExpectSteps(f, true, {{Verdict::kRetry, 1}, {Verdict::kRetry, 2}, {Verdict::kGiveUp, 0}});
  EXPECT_TRUE(f.gaveUp());
  EXPECT_FALSE(f.TickDue());
  f.Reset();  // the user chose a song
  EXPECT_FALSE(f.gaveUp());
  ExpectSteps(f, true, {{Verdict::kRetry, 1}});
  f.Played();  // a retry that plays starts the count again
  ExpectSteps(f, true, {{Verdict::kRetry, 1}, {Verdict::kRetry, 2}});
}

TEST(SongFailures, AFailureNoRetryMendsIsGivenUpAtOnceOrPassedOverWithoutCounting) {
  SongFailures single;
  ExpectSteps(single, true, {{Verdict::kRetry, 1}});
  single.Reset();
  EXPECT_EQ(single.FailedForGood(true).verdict, Verdict::kGiveUp);
  EXPECT_TRUE(single.gaveUpAtOnce());
  EXPECT_FALSE(single.retryWaiting());
  SongFailures list;
  ExpectSteps(list, false, {{Verdict::kNext, 0}, {Verdict::kNext, 0}});
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list.FailedForGood(false).verdict, Verdict::kNext);
  EXPECT_FALSE(list.unreachable());
  EXPECT_FALSE(list.gaveUp());
}

TEST(SongFailures, TheListLoopHoldsAfterThreeInARowAndProbesWithAGrowingPause) {
  SongFailures f;
  ExpectSteps(f, false, {{Verdict::kNext, 0}, {Verdict::kNext, 0}});
  f.Played();  // a song between them breaks the row
  ExpectSteps(f, false,
              {{Verdict::kNext, 0},
               {Verdict::kNext, 0},
               {Verdict::kUnreachable, 1},
               {Verdict::kUnreachable, 2},
               {Verdict::kUnreachable, 4},
               {Verdict::kUnreachable, 8},
               {Verdict::kUnreachable, 8}});
  EXPECT_TRUE(f.unreachable());
  f.Played();  // the catalogue answered
  EXPECT_FALSE(f.unreachable());
  EXPECT_FALSE(f.retryWaiting());
}

TEST(StallWatch, ALoadStallsWhenTooLittleArrivesWithinAPeriod) {
  struct Row {
    uint64_t nowMs, received;
    bool going;
  };
  catalogue::StallWatch watch(1000, 100);
  for (const Row& row : std::vector<Row>{{5000, 0, true},
                                         {5999, 10, true},
                                         {6000, 150, true},  // enough in the first period
                                         {6999, 200, true},
                                         {7000, 249, false}}) {  // 99 bytes in the second
    EXPECT_EQ(watch.Going(row.nowMs, row.received), row.going) << row.nowMs;
  }
}

}  // namespace
