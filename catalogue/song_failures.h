// What the loop does when songs fail to load. The single loop tries a song three times, with a
// growing pause between the tries, then gives up. The list loop moves on to the next song, but
// after three songs in a row fail it holds: the catalogue is taken as out of reach, and the
// last song is tried again after a growing pause until one plays or the user acts. Pauses are
// counted in ticks of the loop timer (2 s each), so no clock is needed here.
#pragma once

#include <cstdint>

namespace catalogue {

inline constexpr int kTriesPerSong = 3;
inline constexpr int kFailuresInARow = 3;
inline constexpr int kLongestPauseTicks = 8;

class SongFailures {
 public:
  enum class Verdict {
    kRetry,        // the same song again once the pause has passed
    kGiveUp,       // tried kTriesPerSong times: nothing more until the user acts
    kNext,         // the next song at the next tick
    kUnreachable,  // held; the same song is tried again once the pause has passed
  };
  struct Step {
    Verdict verdict;
    int pauseTicks;  // ticks before the retry; 0 for none
  };

  Step FailedInSingleLoop();
  Step FailedInListLoop();
  // A failure no retry mends (the song's file is gone, or holds nothing the player decodes): the
  // single loop gives up at once, the list loop moves on without counting it against the
  // catalogue's reach.
  Step FailedForGood(bool singleLoop);
  // A song began to play: every count starts again.
  void Played() { *this = SongFailures(); }
  // The user chose what plays next.
  void Reset() { *this = SongFailures(); }
  // One tick of the loop timer while a retry waits: true when it is due now.
  bool TickDue();

  bool retryWaiting() const { return waitTicks_ > 0; }
  bool gaveUp() const { return gaveUp_; }
  // Gave up on the first failure, which says enough by its reason.
  bool gaveUpAtOnce() const { return gaveUp_ && atOnce_; }
  bool unreachable() const { return unreachable_; }

 private:
  static int Pause(int round);  // 1, 2, 4 … ticks, at most kLongestPauseTicks

  int tries_ = 0;   // failed tries of the song in the single loop
  int inARow_ = 0;  // songs that failed in a row in the list loop
  int probes_ = 0;  // failed tries while out of reach
  int waitTicks_ = 0;
  bool gaveUp_ = false;
  bool atOnce_ = false;  // given up by FailedForGood
  bool unreachable_ = false;
};

}  // namespace catalogue
