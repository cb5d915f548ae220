#include "catalogue/playlist.h"

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
  units_.visible.Append(kSongListHeader);
  for (int k = 1; k <= kSongsPerBatch; ++k) {
    units_.visible.Append("歌曲" + std::to_string(k));
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
  const std::string address = units_.songs.Entry(k);
  if (address == kSongListHeader) return;
  // The user's choice wins over an end that the timer has not acted on yet: left set, the flag
  // would replace the chosen song with the ended one's successor, or with the ended one again.
  state_.advancePending = 0;
  state_.replayPending = 0;
  Play(address, k);
  state_.currentSongIndex = k;
}

// Before the address goes to the player: the player may report a state from inside the call.
void Playlist::Play(const std::string& address, int number) {
  now_.number = address.empty() ? 0 : number;
  now_.title = address.empty() || !units_.title ? std::string() : units_.title(address);
  units_.player.SetUrl(address);
}

void Playlist::PlayStateChanged(long state) {
  if (state != kStateMediaEnded && state != kStateUndefined) return;
  switch (units_.mode()) {
    case LoopMode::kList:
      state_.advancePending = 1;
      break;
    case LoopMode::kSingle:
      // The player still holds the song that just ended; that is the one to play again.
      state_.replayAddress = units_.player.Url();
      state_.replayPending = 1;
      break;
    case LoopMode::kNone:
      break;
  }
}

void Playlist::LoopTick() {
  if (busy_) return;
  if (state_.replayPending) {
    state_.replayPending = 0;
    // The same song again, under the same number.
    if (state_.replayAddress.empty()) now_ = {};
    units_.player.SetUrl(state_.replayAddress);
    return;
  }
  if (!state_.advancePending) return;

  const std::string current = units_.player.Url();
  const int count = units_.songs.Count();
  int match = -1;
  for (int i = 1; i < count; ++i) {
    if (units_.songs.Entry(i) == current) {
      match = i;
      break;
    }
  }
  if (match < 0) return;  // the flag stays; the next tick scans again

  if (state_.currentSongIndex != kSongsPerBatch) {
    // A song of an earlier batch (another batch was fetched while it played) may stand past the
    // ninth entry of this one: the batch on show then starts from its first song, rather than
    // with a song the visible list does not hold.
    state_.currentSongIndex = match < kSongsPerBatch ? match + 1 : 1;
    // Cleared before the player is given the address, so that a state the control reports
    // while taking it is not lost.
    state_.advancePending = 0;
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
  state_.advancePending = 0;
  Play(units_.songs.Entry(1), 1);
}

}  // namespace catalogue
