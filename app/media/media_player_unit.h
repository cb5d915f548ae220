// 播放器1: the media player control in its container, with the unit's persisted settings, its
// URL and its play-state event. Where the control cannot open web addresses (Wine), the unit
// fetches each song into a local file first and hands the control that file; to its users
// nothing changes: the URL reads back as given, and a song that cannot be fetched reports state
// 0 as the control would.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/media/activex_host.h"
#include "app/media/song_loader.h"
#include "app/windows/player_units.h"

namespace app {

// The media player control's class id.
extern const CLSID& kMediaPlayerClsid;

class MediaPlayerUnit {
 public:
  // Receives the new play state. Runs inside the control's event: record, act later.
  using StateHandler = std::function<void(long state)>;

  // Creates the control at `place` in `parent`. A control that cannot be made leaves an inert
  // unit: it keeps the address it is given and reports no state.
  MediaPlayerUnit(HWND parent, const UnitGeometry& place, int id, StateHandler onState,
                  const CLSID& clsid = kMediaPlayerClsid);
  // Unhooks the event first, then releases the control.
  ~MediaPlayerUnit();
  MediaPlayerUnit(const MediaPlayerUnit&) = delete;
  MediaPlayerUnit& operator=(const MediaPlayerUnit&) = delete;

  bool created() const { return host_.hasControl(); }
  HWND window() const { return host_.window(); }
  // One of the control's interfaces; empty without a control.
  template <typename I>
  ComPtr<I> Control(REFIID iid) const {
    return host_.Control<I>(iid);
  }

  // Addresses are UTF-8, as the catalogue gives them.
  std::string Url() const;
  void SetUrl(const std::string& url);

  // What the unit's face shows.
  enum class Activity { kStopped, kLoading, kPlaying, kPaused };
  Activity activity() const;
  // The elapsed time of the song as the control reports it; 0 without one.
  double PositionSeconds() const;
  // The song's length as the control reports it; 0 while it is not known.
  double DurationSeconds() const;
  void SeekTo(double seconds);

  // The transport. Play resumes a paused song, or plays the song it holds from the start.
  void Play();
  void Pause();
  void Stop();

  // The program's volume, 0 to 100, and mute. What the control was given reads back through
  // HeardVolume: 0 while muted.
  int volume() const { return volume_; }
  bool muted() const { return muted_; }
  void SetVolume(int volume);
  void SetMuted(bool muted);
  // The volume the control reports, in the program's terms; -1 when it does not say.
  int HeardVolume() const;
  // True where the unit fetches songs itself (the control opens local files only).
  bool fetchesSongs() const { return static_cast<bool>(loader_); }
  // The local copy of the song last handed to the control, where the unit fetches songs.
  std::wstring LocalFile() const { return loader_ ? loader_->currentFile() : std::wstring(); }
  // Where the unit fetches songs: runs, instead of a state report, when a song could not be
  // fetched; why stays in failure() until the next song is given.
  void SetOnFailed(std::function<void()> onFailed) { onFailed_ = std::move(onFailed); }
  const catalogue::FetchReport& failure() const { return failure_; }
  bool failed() const { return failed_; }
  // What has arrived of the song that loads now.
  SongLoader::Progress loadProgress() const {
    return loader_ ? loader_->progress() : SongLoader::Progress{};
  }

 private:
  class Events;
  void OnControlState(long state);
  void OnSongReady(const std::wstring& path);
  void OnSongFailed(const catalogue::FetchReport& report);

  // First, so it goes last: its files are removed once the control has let go of them.
  std::unique_ptr<SongLoader> loader_;
  ActiveXHost host_;
  std::unique_ptr<Events> events_;
  StateHandler onState_;
  std::function<void()> onFailed_;
  catalogue::FetchReport failure_;
  bool failed_ = false;
  bool played_ = false;  // the song given last reached the playing state
  std::string url_;      // what the unit was given last
  std::string fileUrl_;  // the address whose local copy the control holds
  long state_ = 0;       // the control's last reported play state
  double heldAt_ = -1;   // where a pause that had to stop the control left the song; -1 for none
  int volume_ = 50;
  bool muted_ = false;
  static constexpr long kStatePaused = 2;
};

}  // namespace app
