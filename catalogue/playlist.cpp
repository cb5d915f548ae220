#include "catalogue/playlist.h"

#include <algorithm>
#include <vector>

namespace catalogue {

// Marks the play list busy for as long as a fetch or a wait runs, whatever way it is left.
class Playlist::BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

void Playlist::AnotherBatch() {
  if (busy_) return;
  BusyScope scope(busy_);
  units_.songs.Clear();
  units_.visible.Clear();
  units_.visible.Append(units_.entryName ? units_.entryName(0) : kSongListHeader);
  for (int k = 1; k <= kSongsPerBatch; ++k) {
    units_.visible.Append(units_.entryName ? units_.entryName(k) : "歌曲" + std::to_string(k));
    if (!units_.wait(kEntryWaitMs)) return;
  }
  units_.fetch();
}

void Playlist::SongDoubleClicked() {
  // While a batch is coming in, the song list is being rebuilt: an entry read now would be the
  // wrong song or none.
  if (busy_) return;
  const int k = units_.visible.Selected();
  if (k < 0) return;
  if (units_.songs.Entry(k) == kSongListHeader) return;
  Start(k);
}

void Playlist::Start(int k) {
  // The user's choice wins over an end that the timer has not acted on yet: left set, the flag
  // would replace the chosen song with the ended one's successor, or with the ended one again.
  state_.advancePending = false;
  state_.replayPending = false;
  hold_ = Hold::kNone;
  failures_.Reset();
  Play(units_.songs.Entry(k), k);
  state_.currentSongIndex = k;
}

// Before the address goes to the player: the player may report a state from inside the call.
void Playlist::Play(const std::string& address, int number) {
  now_.number = address.empty() ? 0 : number;
  now_.title = address.empty() || !units_.title ? std::wstring() : units_.title(address);
  units_.player.SetUrl(address);
}

void Playlist::PlayStateChanged(long state) {
  if (state == kStatePlaying) failures_.Played();
  if (state != kStateMediaEnded && state != kStateUndefined) return;
  switch (units_.mode()) {
    case LoopMode::kList:
      state_.advancePending = true;
      break;
    case LoopMode::kSingle:
      // The player still holds the song that just ended; that is the one to play again.
      state_.replayAddress = units_.player.Url();
      state_.replayPending = true;
      break;
    case LoopMode::kNone:
      break;
  }
}

void Playlist::SongFailed(bool forGood) {
  retryAddress_ = units_.player.Url();
  const LoopMode mode = units_.mode();
  if (mode == LoopMode::kNone) return;
  const SongFailures::Step step = forGood ? failures_.FailedForGood(mode == LoopMode::kSingle)
                                  : mode == LoopMode::kSingle ? failures_.FailedInSingleLoop()
                                                              : failures_.FailedInListLoop();
  if (step.verdict == SongFailures::Verdict::kNext) state_.advancePending = true;
}

Playlist::Notice Playlist::notice() const {
  if (failures_.gaveUp()) return failures_.gaveUpAtOnce() ? Notice::kNone : Notice::kGaveUp;
  if (failures_.unreachable()) return Notice::kUnreachable;
  return failures_.retryWaiting() ? Notice::kRetrying : Notice::kNone;
}

Playlist::Tick Playlist::LoopTick() {
  if (busy_) return Tick::kBusy;
  if (hold_ != Hold::kNone) return Tick::kHeld;
  if (failures_.gaveUp()) return Tick::kGaveUp;
  if (failures_.retryWaiting()) {
    if (!failures_.TickDue()) return Tick::kWaiting;
    units_.player.SetUrl(retryAddress_);  // under the same number and title
    return Tick::kRetried;
  }
  if (state_.replayPending) {
    state_.replayPending = false;
    // The same song again, under the same number.
    if (state_.replayAddress.empty()) now_ = {};
    units_.player.SetUrl(state_.replayAddress);
    return Tick::kReplayed;
  }
  if (!state_.advancePending) return Tick::kNothingEnded;

  const int match = PlayingEntry();
  if (match < 0) return Tick::kNoEntryPlays;  // the flag stays; the next tick scans again
  const bool batchEnds = state_.currentSongIndex == kSongsPerBatch;
  Advance(match);
  return batchEnds ? Tick::kNewBatch : Tick::kAdvanced;
}

int Playlist::PlayingEntry() const {
  const std::string current = units_.player.Url();
  const int count = units_.songs.Count();
  for (int i = 1; i < count; ++i) {
    if (units_.songs.Entry(i) == current) return i;
  }
  return -1;
}

void Playlist::Advance(int match) {
  if (state_.currentSongIndex != kSongsPerBatch) {
    // A song of an earlier batch (another batch was fetched while it played) may stand past the
    // ninth entry of this one: the batch on show then starts from its first song, rather than
    // with a song the visible list does not hold.
    state_.currentSongIndex = match < kSongsPerBatch ? match + 1 : 1;
    // Cleared before the player is given the address, so that a state the control reports
    // while taking it is not lost.
    state_.advancePending = false;
    Play(units_.songs.Entry(state_.currentSongIndex), state_.currentSongIndex);
    units_.visible.Select(state_.currentSongIndex);
    return;
  }
  StartNewBatch();
}

// The end of a batch: a fresh batch replaces the old one in the song list and its first song
// plays. A fetch that brings no song keeps the old batch, which then starts again from song 1.
void Playlist::StartNewBatch() {
  BusyScope scope(busy_);
  std::vector<std::string> previous;
  const int count = units_.songs.Count();
  previous.reserve(count > 0 ? count : 0);
  for (int i = 0; i < count; ++i) previous.push_back(units_.songs.Entry(i));

  units_.songs.Clear();
  units_.fetch();
  if (units_.songs.Count() < 2) {  // no address, at most the header
    units_.songs.Clear();
    for (const std::string& entry : previous) units_.songs.Append(entry);
  }
  if (!units_.wait(kNewBatchWaitMs)) return;
  state_.currentSongIndex = 0;
  state_.advancePending = false;
  Play(units_.songs.Entry(1), 1);
}

void Playlist::Release() {
  hold_ = Hold::kNone;
  failures_.Reset();
  state_.advancePending = false;
  state_.replayPending = false;
}

void Playlist::Next() {
  if (busy_) return;
  Release();
  const int match = PlayingEntry();
  // Nothing of this batch plays (none yet, or a song of a batch since replaced): its first song.
  if (match < 0) {
    Start(1);
    units_.visible.Select(1);
    return;
  }
  Advance(match);
}

void Playlist::Previous() {
  if (busy_) return;
  Release();
  const int match = PlayingEntry();
  if (match == 1) {
    // There is no earlier batch to go back to: the catalogue hands out a fresh one each time.
    StartNewBatch();
    return;
  }
  const int k = match < 0 ? 1 : std::min(match - 1, kSongsPerBatch);
  Start(k);
  units_.visible.Select(k);
}

void Playlist::PlayPause() {
  if (busy_) return;
  if (hold_ == Hold::kPaused) {
    hold_ = Hold::kNone;
    // A song that ended just before the pause came leaves the flag set: the tick moves on.
    if (!state_.advancePending && !state_.replayPending) units_.player.Play();
    return;
  }
  if (hold_ == Hold::kStopped) {
    Release();
    units_.player.Play();
    return;
  }
  switch (units_.player.State()) {
    case PlayState::kPlaying:
      units_.player.Pause();
      hold_ = Hold::kPaused;
      return;
    case PlayState::kPaused:  // paused by other means, such as the control's own bar
      units_.player.Play();
      return;
    case PlayState::kLoading:  // nothing to pause yet
      return;
    case PlayState::kStopped:
      break;
  }
  if (state_.advancePending || state_.replayPending) {
    hold_ = Hold::kPaused;  // between two songs: the next one waits
  } else if (!units_.player.Url().empty()) {
    units_.player.Play();
  } else {
    const int k = units_.visible.Selected();
    Start(k >= 1 && k < units_.songs.Count() ? k : 1);
  }
}

void Playlist::Play() {
  const PlayState now = units_.player.State();
  if (hold_ == Hold::kNone && (now == PlayState::kPlaying || now == PlayState::kLoading)) return;
  PlayPause();
}

void Playlist::Pause() {
  if (hold_ != Hold::kNone) return;
  const PlayState now = units_.player.State();
  const bool betweenSongs =
      now == PlayState::kStopped && (state_.advancePending || state_.replayPending);
  if (now == PlayState::kPlaying || betweenSongs) PlayPause();
}

void Playlist::Stop() {
  if (busy_) return;
  units_.player.Stop();
  // After the call: an end the control reports for the stop is no end of the song.
  Release();
  hold_ = Hold::kStopped;
}

}  // namespace catalogue
