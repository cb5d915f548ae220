// The play list: another batch, starting a song by double-click, and what the loop timer does
// when a song has ended. No window here: the lists, the player, the radio buttons, the fetch
// and the waits reach it through the interfaces below, so it runs the same against the real
// units and against the scripted ones of the tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "catalogue/list_header.h"
#include "catalogue/song_failures.h"

namespace catalogue {

// States of the player that mean the song is over.
inline constexpr long kStateMediaEnded = 8;
inline constexpr long kStateUndefined = 0;
inline constexpr long kStatePlaying = 3;

inline constexpr int kSongsPerBatch = 9;
inline constexpr unsigned kEntryWaitMs = 100;
inline constexpr unsigned kNewBatchWaitMs = 1000;

// A list box as the play list uses it.
class ListUnit {
 public:
  virtual ~ListUnit() = default;
  virtual int Count() const = 0;
  // An entry the list does not have reads as empty text.
  virtual std::string Entry(int index) const = 0;
  virtual void Clear() = 0;
  virtual void Append(const std::string& text) = 0;
  virtual int Selected() const = 0;  // -1 when nothing is selected
  virtual void Select(int index) = 0;
};

// What the player is doing with the song it holds.
enum class PlayState { kStopped, kPlaying, kPaused, kLoading };

// The media player as the play list uses it.
class PlayerUnit {
 public:
  virtual ~PlayerUnit() = default;
  virtual std::string Url() const = 0;
  virtual void SetUrl(const std::string& url) = 0;
  virtual PlayState State() const = 0;
  // Resumes the song it holds, or plays it again from the start.
  virtual void Play() = 0;
  virtual void Pause() = 0;
  virtual void Stop() = 0;
};

enum class LoopMode { kList, kSingle, kNone };

struct PlaylistUnits {
  ListUnit& songs;    // 列表框1: header and stream addresses
  ListUnit& visible;  // 列表框2: header and 歌曲1 … 歌曲9
  PlayerUnit& player;
  std::function<LoopMode()> mode;  // which radio button is checked now
  // Appends a batch (header and addresses) to `songs`; lets the window process messages.
  std::function<void()> fetch;
  // Waits while the window processes its messages; false when the program is ending.
  std::function<bool(unsigned ms)> wait;
  // The title the catalogue gave the song at that address; empty for none. May be left empty.
  std::function<std::wstring(const std::string& address)> title;
  // Entry k of the visible list as shown (0 the header); when left empty, the Chinese names.
  std::function<std::string(int k)> entryName;
};

// The song the player was given last, as the player's face names it.
struct NowPlaying {
  int number = 0;  // its entry in the batch when it started, 1 to 9; 0 for none
  std::wstring title;
};

// The program variables the play list works on.
struct LoopState {
  bool& replayPending;
  std::string& replayAddress;
  bool& advancePending;
  int32_t& currentSongIndex;
};

class Playlist {
 public:
  Playlist(PlaylistUnits units, LoopState state) : units_(std::move(units)), state_(state) {}
  Playlist(const Playlist&) = delete;
  Playlist& operator=(const Playlist&) = delete;

  // Click of 按钮_换一批: both lists rebuilt, a new batch fetched; the song now playing goes on.
  void AnotherBatch();
  // Double-click on 列表框2: the selected entry's song starts.
  void SongDoubleClicked();
  // PlayStateChange of the player. Only records what to do: the address must not change
  // inside the control's event.
  void PlayStateChanged(long state);
  // The player could not load the song it was given; `forGood` when no retry can mend it.
  void SongFailed(bool forGood = false);
  // One tick of the loop timer, and what it did.
  enum class Tick {
    kBusy,          // a fetch or a wait runs: nothing
    kHeld,          // paused or stopped by the user: nothing
    kNothingEnded,  // no song has ended since the last move
    kReplayed,      // the single-song loop started its song again
    kNoEntryPlays,  // a song ended but no entry holds it: the next tick looks again
    kAdvanced,      // the next song of the batch started
    kNewBatch,      // the batch ended: a fresh one was fetched and its first song started
    kWaiting,       // a failed song waits for its retry
    kRetried,       // a failed song was tried again
    kGaveUp,        // the single loop gave up on a failing song: nothing
  };
  Tick LoopTick();

  // The next and the previous song of the batch on show. Past either end of the batch they do
  // what the list loop does after song 9: a fresh batch starts from its first song.
  void Next();
  void Previous();
  // The transport. A pause or a stop holds the list loop: no song follows until the user plays.
  void PlayPause();
  void Play();
  void Pause();
  void Stop();

  // Why the list loop waits for the user, if it does.
  enum class Hold { kNone, kPaused, kStopped };
  Hold hold() const { return hold_; }

  // What the loop made of failing songs, for the face to say.
  enum class Notice { kNone, kRetrying, kGaveUp, kUnreachable };
  Notice notice() const;

  // A fetch or a wait is in progress; input that arrives meanwhile is ignored.
  bool Busy() const { return busy_; }

  // Kept from the moment a song starts until another starts, whatever the lists do meanwhile.
  const NowPlaying& nowPlaying() const { return now_; }

 private:
  class BusyScope;
  void StartNewBatch();
  void Play(const std::string& address, int number);
  // Starts entry k of the batch on show, as a double-click on it does.
  void Start(int k);
  // Entry k's successor, as the list loop finds it from the song at entry `match`.
  void Advance(int match);
  // The first song entry that holds the player's address; -1 for none.
  int PlayingEntry() const;
  void Release();  // ends a hold, as the user plays again

  PlaylistUnits units_;
  LoopState state_;
  NowPlaying now_;
  bool busy_ = false;
  Hold hold_ = Hold::kNone;
  SongFailures failures_;
  std::string retryAddress_;  // the failed song that a retry gives the player
};

}  // namespace catalogue
