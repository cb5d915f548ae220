// The play list driven by a scripted player: states are fed in directly, the loop timer is
// ticked by hand, and the catalogue is a script that appends batches.
#include "catalogue/playlist.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "catalogue/text_routines.h"

namespace {

using catalogue::kSongListHeader;
using catalogue::LoopMode;
using catalogue::Playlist;

class FakeList : public catalogue::ListUnit {
 public:
  int Count() const override { return static_cast<int>(entries.size()); }
  std::string Entry(int index) const override {
    return index >= 0 && index < Count() ? entries[index] : std::string();
  }
  void Clear() override {
    entries.clear();
    selected = -1;
  }
  void Append(const std::string& text) override { entries.push_back(text); }
  int Selected() const override { return selected; }
  void Select(int index) override { selected = index >= 0 && index < Count() ? index : -1; }

  std::vector<std::string> entries;
  int selected = -1;
};

class ScriptedPlayer : public catalogue::PlayerUnit {
 public:
  std::string Url() const override { return url; }
  void SetUrl(const std::string& u) override {
    url = u;
    given.push_back(u);
    if (onSetUrl) onSetUrl();
  }
  catalogue::PlayState State() const override { return state; }
  void Play() override { calls += "play "; }
  void Pause() override { calls += "pause "; }
  void Stop() override {
    calls += "stop ";
    if (onStop) onStop();
  }
  std::string url;
  std::vector<std::string> given;  // every address handed over, in order
  std::function<void()> onSetUrl, onStop;
  catalogue::PlayState state = catalogue::PlayState::kStopped;
  std::string calls;  // the transport calls, in order
};

std::string Song(char batch, int n) {
  return "http://127.0.0.1/mp3.ashx?id=" + std::string(1, batch) + std::to_string(n);
}

std::vector<std::string> Batch(char batch, int songs) {
  std::vector<std::string> entries{kSongListHeader};
  for (int n = 1; n <= songs; ++n) entries.push_back(Song(batch, n));
  return entries;
}

class PlaylistTest : public ::testing::Test {
 protected:
  PlaylistTest()
      : playlist({songs, visible, player, [this] { return mode; }, [this] { Fetch(); },
                  [this](unsigned ms) { return Wait(ms); },
                  [this](const std::string& address) {
                    const auto it = titles.find(address);
                    return it == titles.end() ? std::wstring() : it->second;
                  }},
                 {replayPending, replayAddress, advancePending, currentSongIndex}) {
    songs.entries = Batch('a', 9);
    visible.entries = {kSongListHeader, "歌曲1", "歌曲2", "歌曲3", "歌曲4",
                       "歌曲5",         "歌曲6", "歌曲7", "歌曲8", "歌曲9"};
  }

  // The catalogue: each fetch appends the next scripted batch, as the client does.
  void Fetch() {
    ++fetches;
    if (duringFetch) duringFetch();
    if (nextBatch < batches.size()) {
      for (const std::string& e : batches[nextBatch]) songs.Append(e);
    }
    ++nextBatch;
  }
  bool Wait(unsigned ms) {
    waits.push_back(ms);
    if (duringWait) duringWait();
    return !ending;
  }

  void DoubleClick(int entry) {
    visible.selected = entry;
    playlist.SongDoubleClicked();
  }
  // The song now playing ends; the next tick acts on it.
  void EndSongAndTick(long state = catalogue::kStateMediaEnded) {
    playlist.PlayStateChanged(state);
    playlist.LoopTick();
  }

  FakeList songs, visible;
  ScriptedPlayer player;
  LoopMode mode = LoopMode::kList;
  std::vector<std::vector<std::string>> batches;
  size_t nextBatch = 0;
  int fetches = 0;
  std::vector<unsigned> waits;
  bool ending = false;
  std::function<void()> duringFetch, duringWait;
  std::map<std::string, std::wstring> titles;

  bool replayPending = false, advancePending = false;
  int32_t currentSongIndex = 0;
  std::string replayAddress;
  Playlist playlist;
};

TEST_F(PlaylistTest, DoubleClickStartsTheEntrysSongAndTheHeaderNothing) {
  DoubleClick(3);
  EXPECT_EQ(player.url, Song('a', 3));
  EXPECT_EQ(currentSongIndex, 3);

  DoubleClick(0);
  visible.selected = -1;
  playlist.SongDoubleClicked();
  EXPECT_EQ(player.given, std::vector<std::string>{Song('a', 3)});
  EXPECT_EQ(currentSongIndex, 3);
}

TEST_F(PlaylistTest, ListLoopPlaysThroughSongNineIntoAFreshBatch) {
  batches = {Batch('b', 12)};
  DoubleClick(3);
  EXPECT_EQ(playlist.LoopTick(), Playlist::Tick::kNothingEnded);
  EXPECT_EQ(player.given.size(), 1u);

  for (int n = 4; n <= 9; ++n) {
    playlist.PlayStateChanged(catalogue::kStateMediaEnded);
    EXPECT_EQ(playlist.LoopTick(), Playlist::Tick::kAdvanced);
    EXPECT_EQ(player.url, Song('a', n));
    EXPECT_EQ(currentSongIndex, n);
    EXPECT_EQ(visible.selected, n);
    EXPECT_FALSE(advancePending);
  }
  EXPECT_EQ(fetches, 0);

  // Song 9 ends: a new batch replaces the old one and its first song starts a second later.
  playlist.PlayStateChanged(catalogue::kStateMediaEnded);
  EXPECT_EQ(playlist.LoopTick(), Playlist::Tick::kNewBatch);
  EXPECT_EQ(fetches, 1);
  EXPECT_EQ(waits, std::vector<unsigned>{catalogue::kNewBatchWaitMs});
  EXPECT_EQ(songs.entries, Batch('b', 12));
  EXPECT_EQ(player.url, Song('b', 1));
  EXPECT_EQ(currentSongIndex, 0);
  EXPECT_EQ(visible.selected, 9);  // this path leaves the selection alone
  EXPECT_FALSE(advancePending);

  EndSongAndTick();
  EXPECT_EQ(player.url, Song('b', 2));
  EXPECT_EQ(currentSongIndex, 2);
  EXPECT_EQ(visible.selected, 2);
}

TEST_F(PlaylistTest, AStateReportedWhileTheAddressIsTakenStillMovesTheLoopOn) {
  // A player that cannot open an address reports state 0 at once, from inside the call.
  player.onSetUrl = [this] { playlist.PlayStateChanged(catalogue::kStateUndefined); };
  DoubleClick(7);
  playlist.LoopTick();
  EXPECT_EQ(player.url, Song('a', 8));
  playlist.LoopTick();
  EXPECT_EQ(player.url, Song('a', 9));
  EXPECT_TRUE(advancePending);
}

TEST_F(PlaylistTest, EndOfBatchWithAFetchThatBringsNoSongKeepsTheOldBatch) {
  batches = {{kSongListHeader}, {}};  // list without records, then an unreachable home page
  for (int round = 0; round < 2; ++round) {
    DoubleClick(9);
    EndSongAndTick();
    EXPECT_EQ(fetches, round + 1);
    EXPECT_EQ(songs.entries, Batch('a', 9));
    EXPECT_EQ(player.url, Song('a', 1));
    EXPECT_EQ(currentSongIndex, 0);
  }
}

TEST_F(PlaylistTest, SingleLoopReplaysTheSongThatEnded) {
  DoubleClick(5);
  mode = LoopMode::kSingle;  // switched while the song plays: counts at its end
  playlist.PlayStateChanged(catalogue::kStateMediaEnded);
  EXPECT_TRUE(replayPending);
  EXPECT_FALSE(advancePending);
  mode = LoopMode::kList;  // switched back after the end: too late for this song
  EXPECT_EQ(playlist.LoopTick(), Playlist::Tick::kReplayed);
  EXPECT_EQ(player.given, (std::vector<std::string>{Song('a', 5), Song('a', 5)}));
  EXPECT_FALSE(replayPending);
  EXPECT_EQ(currentSongIndex, 5);
  playlist.LoopTick();
  EXPECT_EQ(player.given.size(), 2u);
}

TEST_F(PlaylistTest, WithNeitherModeOrAnotherStateNothingHappens) {
  DoubleClick(2);
  for (long state : {1L, 2L, 3L, 9L, 10L, 11L}) EndSongAndTick(state);
  mode = LoopMode::kNone;
  EndSongAndTick(catalogue::kStateMediaEnded);
  EndSongAndTick(catalogue::kStateUndefined);
  EXPECT_FALSE(advancePending);
  EXPECT_FALSE(replayPending);
  EXPECT_EQ(player.given, std::vector<std::string>{Song('a', 2)});
}

TEST_F(PlaylistTest, AnAddressInNoEntryKeepsTheFlagUntilASongIsChosen) {
  player.url = "http://elsewhere/x";
  EndSongAndTick();
  EXPECT_EQ(playlist.LoopTick(), Playlist::Tick::kNoEntryPlays);
  EXPECT_TRUE(advancePending);
  EXPECT_TRUE(player.given.empty());
  // The song chosen by hand plays on; the loop moves on only when it ends.
  DoubleClick(4);
  EXPECT_FALSE(advancePending);
  playlist.LoopTick();
  EXPECT_EQ(player.given, std::vector<std::string>{Song('a', 4)});
  EndSongAndTick();
  EXPECT_EQ(player.url, Song('a', 5));
}

TEST_F(PlaylistTest, ASongChosenBeforeTheTickActsOnAnEndIsTheOneThatPlays) {
  // List loop: song 2 ends, song 7 is chosen before the tick; 7 plays to its end, then 8.
  DoubleClick(2);
  playlist.PlayStateChanged(catalogue::kStateMediaEnded);
  DoubleClick(7);
  playlist.LoopTick();
  EXPECT_EQ(player.given, (std::vector<std::string>{Song('a', 2), Song('a', 7)}));
  EndSongAndTick();
  EXPECT_EQ(player.url, Song('a', 8));

  // Single-song loop: the chosen song, not the one that ended, is the one repeated.
  mode = LoopMode::kSingle;
  playlist.PlayStateChanged(catalogue::kStateMediaEnded);
  DoubleClick(3);
  playlist.LoopTick();
  EXPECT_EQ(player.url, Song('a', 3));
  EXPECT_EQ(player.given.size(), 4u);
  EndSongAndTick();
  EndSongAndTick();
  EXPECT_EQ(player.given, (std::vector<std::string>{Song('a', 2), Song('a', 7), Song('a', 8),
                                                    Song('a', 3), Song('a', 3), Song('a', 3)}));
}

TEST_F(PlaylistTest, AnAddressListedTwiceContinuesAfterItsFirstPlace) {
  songs.entries[6] = Song('a', 2);
  DoubleClick(6);
  EndSongAndTick();
  EXPECT_EQ(player.url, Song('a', 3));
  EXPECT_EQ(currentSongIndex, 3);
}

TEST_F(PlaylistTest, PastTheLastSongOfAShortBatchThePlayerGetsAnEmptyAddress) {
  songs.entries = Batch('a', 5);
  DoubleClick(5);
  EndSongAndTick();
  EXPECT_EQ(player.url, "");
  EXPECT_EQ(currentSongIndex, 6);
  EXPECT_EQ(visible.selected, 6);
  EXPECT_FALSE(advancePending);
  EXPECT_EQ(fetches, 0);
}

// What the face shows: the number and title a song had when it started, whatever the lists do
// until the next song starts.
TEST_F(PlaylistTest, TheSongNowPlayingKeepsItsNumberAndTitleUntilAnotherStarts) {
  titles = {{Song('a', 8), L"Eight"}, {Song('b', 1), L"B one"}};
  const auto now = [this] {
    return std::to_string(playlist.nowPlaying().number) + " " +
           catalogue::ToUtf8(playlist.nowPlaying().title);
  };
  EXPECT_EQ(now(), "0 ");
  DoubleClick(8);
  EXPECT_EQ(now(), "8 Eight");
  EndSongAndTick();
  EXPECT_EQ(now(), "9 ");  // a song without a title shows none

  // The end of the batch: the song ended stays named through the fetch and the wait; the new
  // batch, which lists it as its twelfth, then starts with its first.
  std::vector<std::string> seen;
  duringFetch = duringWait = [&] { seen.push_back(now()); };
  batches = {Batch('b', 9)};
  batches[0].push_back(Song('b', 10));
  batches[0].push_back(Song('b', 11));
  batches[0].push_back(Song('a', 9));
  EndSongAndTick();
  EXPECT_EQ(seen, (std::vector<std::string>{"9 ", "9 "}));
  EXPECT_EQ(now(), "1 B one");

  // Another batch while it plays: still song 1; the new batch holds it as its eleventh, so its
  // end starts the batch on show from its first song, not a twelfth.
  seen.clear();
  batches.push_back(Batch('c', 10));
  batches.back()[11 - 1] = Song('b', 1);
  batches.back().push_back(Song('c', 12));
  playlist.AnotherBatch();
  EXPECT_EQ(seen, std::vector<std::string>(10, "1 B one"));
  EndSongAndTick();
  EXPECT_EQ(player.url, Song('c', 1));
  EXPECT_EQ(now(), "1 ");
  EXPECT_EQ(currentSongIndex, 1);
  EXPECT_EQ(visible.selected, 1);

  // A replay keeps the number; an empty address names no song.
  mode = LoopMode::kSingle;
  EndSongAndTick();
  EXPECT_EQ(now(), "1 ");
  songs.entries = Batch('a', 1);
  mode = LoopMode::kList;
  player.url = Song('a', 1);
  EndSongAndTick();
  EXPECT_EQ(player.url, "");
  EXPECT_EQ(now(), "0 ");
}

TEST_F(PlaylistTest, AnotherBatchRebuildsBothListsAndLeavesTheSongPlaying) {
  batches = {Batch('b', 9), {}};
  DoubleClick(4);
  playlist.AnotherBatch();
  EXPECT_EQ(waits, std::vector<unsigned>(9, catalogue::kEntryWaitMs));
  EXPECT_EQ(visible.entries,
            (std::vector<std::string>{kSongListHeader, "歌曲1", "歌曲2", "歌曲3", "歌曲4", "歌曲5",
                                      "歌曲6", "歌曲7", "歌曲8", "歌曲9"}));
  EXPECT_EQ(songs.entries, Batch('b', 9));
  EXPECT_EQ(player.given.size(), 1u);
  EXPECT_EQ(currentSongIndex, 4);

  // A failed fetch leaves the song list empty; a double-click then gives an empty address.
  playlist.AnotherBatch();
  EXPECT_TRUE(songs.entries.empty());
  EXPECT_EQ(visible.Count(), 10);
  DoubleClick(3);
  EXPECT_EQ(player.url, "");
}

// Ticks, clicks and double-clicks arrive while messages are processed inside a fetch or a wait.
TEST_F(PlaylistTest, NothingStartsASecondFetchInsideTheFirst) {
  batches = {Batch('b', 9), Batch('c', 9)};
  int reentries = 0;
  auto meddle = [this, &reentries] {
    ++reentries;
    EXPECT_TRUE(playlist.Busy());
    const size_t given = player.given.size();
    advancePending = true;
    EXPECT_EQ(playlist.LoopTick(), Playlist::Tick::kBusy);
    playlist.AnotherBatch();
    visible.selected = 2;
    playlist.SongDoubleClicked();
    EXPECT_EQ(player.given.size(), given);
  };
  duringFetch = meddle;
  duringWait = meddle;

  DoubleClick(9);
  EndSongAndTick();
  EXPECT_EQ(reentries, 2);
  EXPECT_EQ(fetches, 1);
  EXPECT_EQ(songs.entries, Batch('b', 9));
  EXPECT_EQ(player.given, (std::vector<std::string>{Song('a', 9), Song('b', 1)}));
  EXPECT_FALSE(playlist.Busy());

  reentries = 0;
  advancePending = false;
  playlist.AnotherBatch();
  EXPECT_EQ(reentries, 10);  // nine waits and the fetch
  EXPECT_EQ(fetches, 2);
  EXPECT_EQ(songs.entries, Batch('c', 9));
  EXPECT_EQ(visible.Count(), 10);
  EXPECT_FALSE(playlist.Busy());
  // The flag set meanwhile is acted on by the first tick afterwards.
  EXPECT_TRUE(advancePending);
  songs.entries[4] = Song('b', 1);  // the playing song, listed in the new batch
  playlist.LoopTick();
  EXPECT_EQ(player.url, Song('c', 5));
}

TEST_F(PlaylistTest, AProgramEndingDuringAWaitStopsTheHandler) {
  batches = {Batch('b', 9)};
  ending = true;
  playlist.AnotherBatch();
  EXPECT_EQ(fetches, 0);
  EXPECT_FALSE(playlist.Busy());

  songs.entries = Batch('a', 9);
  DoubleClick(9);
  EndSongAndTick();
  EXPECT_EQ(fetches, 1);
  EXPECT_EQ(player.given, std::vector<std::string>{Song('a', 9)});
  EXPECT_FALSE(playlist.Busy());
}

// Next and previous move through the batch on show; past song 9, and before song 1, a fresh batch
// starts from its first song, as the list loop does after song 9.
TEST_F(PlaylistTest, NextAndPreviousWalkTheBatchAndLeaveItAtEitherEndForAFreshOne) {
  batches = {Batch('b', 9), Batch('c', 9)};
  playlist.Previous();  // nothing plays yet: the first song
  EXPECT_EQ(player.url, Song('a', 1));
  EXPECT_EQ(visible.selected, 1);
  DoubleClick(8);
  playlist.Previous();
  EXPECT_EQ(player.url, Song('a', 7));
  EXPECT_EQ(currentSongIndex, 7);
  EXPECT_EQ(visible.selected, 7);
  playlist.Next();
  playlist.Next();
  EXPECT_EQ(player.url, Song('a', 9));
  EXPECT_EQ(currentSongIndex, 9);
  EXPECT_EQ(fetches, 0);

  playlist.Next();
  EXPECT_EQ(fetches, 1);
  EXPECT_EQ(player.url, Song('b', 1));
  EXPECT_EQ(currentSongIndex, 0);
  playlist.Next();
  EXPECT_EQ(player.url, Song('b', 2));
  playlist.Previous();
  playlist.Previous();  // song 1 of the batch: a fresh one
  EXPECT_EQ(fetches, 2);
  EXPECT_EQ(songs.entries, Batch('c', 9));
  EXPECT_EQ(player.url, Song('c', 1));

  // A pending end does not add a second move on the next tick.
  playlist.PlayStateChanged(catalogue::kStateMediaEnded);
  playlist.Next();
  playlist.LoopTick();
  EXPECT_EQ(player.url, Song('c', 2));
  EXPECT_EQ(player.given.size(), 10u);

  // A song of a batch since replaced: the batch on show from its start.
  songs.entries = Batch('d', 9);
  playlist.Next();
  EXPECT_EQ(player.url, Song('d', 1));
}

TEST_F(PlaylistTest, PlayPauseActsOnWhatThePlayerDoesAndWhatTheLoopWaitsFor) {
  using catalogue::PlayState;
  using Hold = Playlist::Hold;
  const struct Row {
    const char* name;
    PlayState state;
    bool ended;   // the song ended and the tick has not acted yet
    int started;  // entry double-clicked first; 0 for none
    const char* calls;
    Hold hold;
    int entryStarted;  // the entry whose song it starts; 0 for none
  } rows[] = {
      {"playing: pauses", PlayState::kPlaying, false, 3, "pause ", Hold::kPaused, 0},
      {"paused elsewhere: plays", PlayState::kPaused, false, 3, "play ", Hold::kNone, 0},
      {"loading: nothing", PlayState::kLoading, false, 3, "", Hold::kNone, 0},
      {"stopped with a song: plays it", PlayState::kStopped, false, 3, "play ", Hold::kNone, 0},
      {"between two songs: holds", PlayState::kStopped, true, 3, "", Hold::kPaused, 0},
      {"no song: the selected one", PlayState::kStopped, false, 0, "", Hold::kNone, 5},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    player = ScriptedPlayer();
    songs.entries = Batch('a', 9);
    advancePending = false;
    if (r.started) DoubleClick(r.started);
    visible.selected = 5;
    player.state = r.state;
    if (r.ended) playlist.PlayStateChanged(catalogue::kStateMediaEnded);
    playlist.PlayPause();
    EXPECT_EQ(player.calls, r.calls);
    EXPECT_EQ(playlist.hold(), r.hold);
    EXPECT_EQ(player.url,
              r.entryStarted ? Song('a', r.entryStarted) : (r.started ? Song('a', r.started) : ""));
    if (playlist.hold() != Hold::kNone) playlist.PlayPause();  // the next row starts unheld
  }
}

// A pause or a stop holds the list loop; playing again lets it go on where it was.
TEST_F(PlaylistTest, PauseAndStopHoldTheLoopUntilTheUserPlaysAgain) {
  using catalogue::PlayState;
  DoubleClick(3);
  player.state = PlayState::kPlaying;
  playlist.Pause();
  playlist.Pause();  // a second pause changes nothing
  EXPECT_EQ(player.calls, "pause ");
  player.state = PlayState::kPaused;
  playlist.LoopTick();
  playlist.Play();
  EXPECT_EQ(player.calls, "pause play ");
  EXPECT_EQ(playlist.hold(), Playlist::Hold::kNone);

  // The song ends and the pause comes before the tick: the next song waits for the resume.
  player.state = PlayState::kStopped;
  playlist.PlayStateChanged(catalogue::kStateMediaEnded);
  playlist.Pause();
  EXPECT_EQ(playlist.LoopTick(), Playlist::Tick::kHeld);
  EXPECT_EQ(playlist.LoopTick(), Playlist::Tick::kHeld);
  EXPECT_EQ(player.url, Song('a', 3));
  playlist.PlayPause();
  EXPECT_EQ(player.calls, "pause play ");  // no play of the ended song: the loop goes on
  playlist.LoopTick();
  EXPECT_EQ(player.url, Song('a', 4));

  // A stop whose end the control reports (at once or later) does not move the loop on.
  player.onStop = [this] { playlist.PlayStateChanged(catalogue::kStateUndefined); };
  playlist.Stop();
  playlist.PlayStateChanged(catalogue::kStateMediaEnded);
  playlist.LoopTick();
  EXPECT_EQ(player.url, Song('a', 4));
  playlist.Play();
  playlist.LoopTick();
  EXPECT_EQ(player.calls, "pause play stop play ");
  EXPECT_EQ(player.url, Song('a', 4));
  EXPECT_FALSE(advancePending);

  // Next ends a hold.
  playlist.Stop();
  playlist.Next();
  EXPECT_EQ(playlist.hold(), Playlist::Hold::kNone);
  EXPECT_EQ(player.url, Song('a', 5));
}

}  // namespace
