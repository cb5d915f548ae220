#include "catalogue/song_failures.h"

#include <algorithm>

namespace catalogue {

int SongFailures::Pause(int round) { return std::min(1 << std::min(round, 8), kLongestPauseTicks); }

SongFailures::Step SongFailures::FailedInSingleLoop() {
  if (++tries_ >= kTriesPerSong) {
    gaveUp_ = true;
    waitTicks_ = 0;
    return {Verdict::kGiveUp, 0};
  }
  waitTicks_ = Pause(tries_ - 1);
  return {Verdict::kRetry, waitTicks_};
}

SongFailures::Step SongFailures::FailedInListLoop() {
  if (unreachable_) {
    waitTicks_ = Pause(++probes_);
    return {Verdict::kUnreachable, waitTicks_};
  }
  if (++inARow_ >= kFailuresInARow) {
    unreachable_ = true;
    waitTicks_ = Pause(0);
    return {Verdict::kUnreachable, waitTicks_};
  }
  return {Verdict::kNext, 0};
}

SongFailures::Step SongFailures::FailedForGood(bool singleLoop) {
  waitTicks_ = 0;
  if (!singleLoop) return {Verdict::kNext, 0};
  gaveUp_ = true;
  atOnce_ = true;
  return {Verdict::kGiveUp, 0};
}

bool SongFailures::TickDue() {
  if (waitTicks_ <= 0) return false;
  return --waitTicks_ == 0;
}

}  // namespace catalogue
