#include "app/media/playback_handlers.h"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>

#include "app/announcer.h"
#include "app/application.h"
#include "app/data/language.h"
#include "app/data/settings_keeper.h"
#include "app/data/source_setting.h"
#include "app/desktop/song_balloon.h"
#include "app/media/browser_unit.h"
#include "app/media/list_box_unit.h"
#include "app/media/media_player_unit.h"
#include "app/media/tick_text.h"
#include "app/windows/creation_handler.h"
#include "app/windows/media_face.h"
#include "app/windows/song_download.h"
#include "app/windows/song_row_tips.h"
#include "app/windows/transport_bar.h"
#include "app/windows/unit_scale.h"
#include "build_settings.h"
#include "catalogue/catalogue_client.h"
#include "catalogue/download.h"
#include "catalogue/host_platform.h"
#include "catalogue/playlist.h"
#include "catalogue/pumping_wait.h"
#include "catalogue/song_titles.h"
#include "catalogue/source_catalogue.h"
#include "catalogue/text_routines.h"

namespace app {
namespace {

// The two controls and OLE beneath them; members go in reverse order, OLE last.
struct MediaUnits {
  OleSession ole;
  std::unique_ptr<MediaPlayerUnit> 播放器1;
  std::unique_ptr<MediaFace> face;          // where the control has no face of its own
  std::unique_ptr<TransportBar> transport;  // with the face
  std::unique_ptr<BrowserUnit> 超文本浏览框2;
  std::unique_ptr<SongRowTips> rowTips;
};

catalogue::NowPlaying NowPlaying();
HWND MainWindow();

// The player as the play list reaches it: whatever unit exists now, none after destruction.
class CurrentPlayer final : public catalogue::PlayerUnit {
 public:
  std::string Url() const override { return Unit() ? Unit()->Url() : std::string(); }
  void SetUrl(const std::string& url) override {
    if (Announce().on()) Announce().Say("play ", NowPlaying().number, " ", url);
    if (MediaPlayerUnit* unit = Unit()) unit->SetUrl(url);
    if (!url.empty()) {
      TellSongStarting(MainWindow(), Settings().balloons(), catalogue::songTitles.Of(url));
    }
  }
  catalogue::PlayState State() const override {
    switch (Unit() ? Unit()->activity() : MediaPlayerUnit::Activity::kStopped) {
      case MediaPlayerUnit::Activity::kPlaying:
        return catalogue::PlayState::kPlaying;
      case MediaPlayerUnit::Activity::kPaused:
        return catalogue::PlayState::kPaused;
      case MediaPlayerUnit::Activity::kLoading:
        return catalogue::PlayState::kLoading;
      default:
        return catalogue::PlayState::kStopped;
    }
  }
  void Play() override {
    if (MediaPlayerUnit* unit = Unit()) unit->Play();
  }
  void Pause() override {
    if (MediaPlayerUnit* unit = Unit()) unit->Pause();
  }
  void Stop() override {
    if (MediaPlayerUnit* unit = Unit()) unit->Stop();
  }

 private:
  static MediaPlayerUnit* Unit();
};

// The play list and what it is bound to.
struct PlaylistBinding {
  explicit PlaylistBinding(const PlayerUnits& units)
      : songs(units.列表框1),
        visible(units.列表框2),
        playlist({songs, visible, player,
                  [listLoop = units.单选框_列表循环, singleLoop = units.单选框_单曲循环] {
                    if (SendMessageW(listLoop, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                      return catalogue::LoopMode::kList;
                    }
                    if (SendMessageW(singleLoop, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                      return catalogue::LoopMode::kSingle;
                    }
                    return catalogue::LoopMode::kNone;
                  },
                  [list = units.列表框1, visible = units.列表框2] {
                    Announce().Say("fetching a batch");
                    catalogue::ProgramCatalogue().Fetch(list);
                    ExplainEmptyList(list, visible, catalogue::ProgramCatalogue());
                    if (Announce().on()) {
                      Announce().Say("batch ", SendMessageW(list, LB_GETCOUNT, 0, 0) - 1);
                    }
                  },
                  catalogue::WaitProcessingMessages,
                  [](const std::string& address) { return catalogue::songTitles.Of(address); },
                  [](int k) { return catalogue::ToUtf8(VisibleEntry(k)); }},
                 {App().loop.replayPending, App().loop.replayAddress, App().loop.advancePending,
                  App().loop.currentSongIndex}) {}

  ListBoxUnit songs, visible;
  CurrentPlayer player;
  catalogue::Playlist playlist;
};

}  // namespace

struct PlaybackState {
  std::unique_ptr<MediaUnits> media;
  // Kept while the application lives: a handler may still be inside one of the play list's
  // waits when the window goes.
  std::unique_ptr<PlaylistBinding> binding;
  HWND window = nullptr;  // the main window, owner of the download's windows
};

void PlaybackStateDeleter::operator()(PlaybackState* state) const { delete state; }

namespace {

PlaybackState& Playback() {
  auto& state = App().playback;
  if (!state) state.reset(new PlaybackState);
  return *state;
}

MediaPlayerUnit* CurrentPlayer::Unit() {
  const auto& media = Playback().media;
  return media ? media->播放器1.get() : nullptr;
}

HWND MainWindow() { return Playback().window; }

catalogue::NowPlaying NowPlaying() {
  PlaybackState& p = Playback();
  return p.binding ? p.binding->playlist.nowPlaying() : catalogue::NowPlaying{};
}

void OnPlayStateChange(long state) {
  PlaybackState& p = Playback();
  if (Announce().on()) Announce().Say("state ", state, " song ", NowPlaying().number);
  if (p.binding) p.binding->playlist.PlayStateChanged(state);
}

std::wstring NoticeText() {
  PlaybackState& p = Playback();
  using Notice = catalogue::Playlist::Notice;
  switch (p.binding ? p.binding->playlist.notice() : Notice::kNone) {
    case Notice::kRetrying:
      return Texts().retrying;
    case Notice::kGaveUp:
      return Texts().gaveUp;
    case Notice::kUnreachable:
      return Texts().unreachable;
    case Notice::kNone:
      break;
  }
  return {};
}

// Where no song came and none plays, the face says why; nothing otherwise.
std::wstring FaceExplanation() {
  const catalogue::SourceCatalogue& source = catalogue::ProgramCatalogue();
  const PlaybackState& p = Playback();
  if (!source.fetchedNothing() || !p.media || !p.media->播放器1 ||
      p.media->播放器1->activity() != MediaPlayerUnit::Activity::kStopped) {
    return {};
  }
  return EmptyListExplanation(source);
}

void OnSongFailed() {
  PlaybackState& p = Playback();
  if (!p.binding) return;
  std::wstring why = p.media ? FailureReason(p.media->播放器1->failure()) : std::wstring();
  if (why.empty()) why = Texts().cannotPlay;  // as the face says it
  const catalogue::FetchProblem problem =
      p.media ? p.media->播放器1->failure().problem : catalogue::FetchProblem::kNone;
  p.binding->playlist.SongFailed(problem == catalogue::FetchProblem::kGone ||
                                 problem == catalogue::FetchProblem::kCannotPlay);
  static constexpr const char* kNotices[] = {"", "retrying", "given up", "unreachable"};
  Announce().Say("song failed ", NowPlaying().number, " ", why, "\t",
                 kNotices[static_cast<int>(p.binding->playlist.notice())]);
}

void OnDownload() {
  PlaybackState& p = Playback();
  // The song goes on playing whichever way it is saved.
  const std::string url = CurrentPlayer().Url();
  if (!catalogue::RunningUnderWine() && catalogue::IsWebAddress(url)) {
    catalogue::DownloadAddress(url);  // the shell's dialog does the transfer
    return;
  }
  // A song of a folder is its own local file.
  const std::wstring local = !catalogue::IsWebAddress(url) ? catalogue::FromUtf8(url)
                             : p.media && p.media->播放器1 ? p.media->播放器1->LocalFile()
                                                           : L"";
  DownloadSong(p.window, url, SuggestedSongName(NowPlaying().number, NowPlaying().title, local),
               StartupPicture());
}

}  // namespace

void CreatePlaybackUnits(const PlayerUnits& units, int dpi) {
  PlaybackState& p = Playback();
  // A play list still inside one of its waits is left alone; it finds no player any more.
  if (!p.binding || !p.binding->playlist.Busy()) {
    p.binding = std::make_unique<PlaylistBinding>(units);
  }
  p.window = units.window;
  p.media = std::make_unique<MediaUnits>();
  p.media->播放器1 = std::make_unique<MediaPlayerUnit>(units.分组框1, ScaledUnit(k播放器1, dpi),
                                                       kId播放器1, OnPlayStateChange);
  if (p.media->播放器1->fetchesSongs()) {
    p.media->播放器1->SetOnFailed(OnSongFailed);
    p.media->face = std::make_unique<MediaFace>(*p.media->播放器1, NowPlaying);
    p.media->face->SetNote(NoticeText);
    p.media->face->SetExplanation(FaceExplanation);
    if (p.media->face->window()) {
      p.media->transport = std::make_unique<TransportBar>(units.分组框1, p.media->face->window(),
                                                          *p.media->播放器1, RunPlayerCommand, dpi);
      p.media->face->SetOnTick([] { Playback().media->transport->Refresh(); });
    }
  }
  p.media->超文本浏览框2 =
      std::make_unique<BrowserUnit>(units.分组框1, ScaledUnit(k超文本浏览框2, dpi),
                                    kId超文本浏览框2, build_settings::kAuthorPageUrl);
  // Row k of the visible list stands for entry k of the song list.
  p.media->rowTips = std::make_unique<SongRowTips>(units.列表框2, [songs = units.列表框1](int row) {
    return catalogue::songTitles.Of(ListBoxUnit(songs).Entry(row));
  });
}

void ScalePlaybackUnits(const PlayerUnits& units, int dpi) {
  PlaybackState& p = Playback();
  for (const auto& [id, design] :
       {std::pair{kId播放器1, k播放器1}, {kId超文本浏览框2, k超文本浏览框2}}) {
    const UnitGeometry g = ScaledUnit(design, dpi);
    SetWindowPos(GetDlgItem(units.分组框1, id), nullptr, g.left, g.top, g.width, g.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (p.media && p.media->face) p.media->face->SetDpi(dpi);
  if (p.media && p.media->transport) p.media->transport->Layout(p.media->face->window(), dpi);
}

void DestroyPlaybackUnits() {
  PlaybackState& p = Playback();
  if (p.media) {
    p.media->face.reset();
    p.media->transport.reset();
  }
  p.media.reset();
}

void UseKeptSource() {
  PlaybackState& p = Playback();
  if (!p.binding) return;
  catalogue::ProgramCatalogue().Use(ReadSourceSetting());
  AnnounceSource(catalogue::ProgramCatalogue());
  p.binding->playlist.AnotherBatch();
}

void UseChosenSource(const catalogue::MusicSource& source, catalogue::FolderCatalogue scanned) {
  PlaybackState& p = Playback();
  if (!p.binding) return;
  catalogue::ProgramCatalogue().Use(source, std::move(scanned));
  AnnounceSource(catalogue::ProgramCatalogue());
  catalogue::Playlist& playlist = p.binding->playlist;
  const bool silent = CurrentPlayer().State() == catalogue::PlayState::kStopped;
  playlist.AnotherBatch();
  // Chosen where nothing played (the first start): the music begins without another step.
  if (silent && p.binding && !catalogue::ProgramCatalogue().fetchedNothing()) {
    p.binding->visible.Select(1);
    playlist.SongDoubleClicked();
  }
}

void OnLoopTimer() {
  PlaybackState& p = Playback();
  if (p.binding) Announce().Say("tick ", TickText(p.binding->playlist.LoopTick()));
}

bool OnPlaybackCommand(int unitId, int code) {
  PlaybackState& p = Playback();
  if (!p.binding) return false;
  if (unitId == kId按钮_换一批 && code == BN_CLICKED) {
    Announce().Say(p.binding->playlist.Busy() ? "another batch ignored: busy" : "another batch");
    p.binding->playlist.AnotherBatch();
    return true;
  }
  if (unitId == kId列表框2 && code == LBN_DBLCLK) {
    p.binding->playlist.SongDoubleClicked();
    return true;
  }
  if (unitId == kId按钮_下载 && code == BN_CLICKED) {
    OnDownload();
    return true;
  }
  return p.media && p.media->transport && p.media->transport->OnCommand(unitId, code);
}

bool OnPlaybackScroll(HWND bar, int code) {
  PlaybackState& p = Playback();
  return p.media && p.media->transport && p.media->transport->OnScroll(bar, code);
}

void PlaySelectedSong() {
  PlaybackState& p = Playback();
  if (p.binding) p.binding->playlist.SongDoubleClicked();
}

std::vector<HWND> TransportTabStops() {
  PlaybackState& p = Playback();
  return p.media && p.media->transport ? p.media->transport->TabStops() : std::vector<HWND>();
}

void RunPlayerCommand(PlayerCommand command) {
  PlaybackState& p = Playback();
  if (!p.binding) return;
  catalogue::Playlist& playlist = p.binding->playlist;
  MediaPlayerUnit* unit = p.media ? p.media->播放器1.get() : nullptr;
  switch (command) {
    case PlayerCommand::kNone:
      return;
    case PlayerCommand::kPlayPause:
      playlist.PlayPause();
      break;
    case PlayerCommand::kPlay:
      playlist.Play();
      break;
    case PlayerCommand::kPause:
      playlist.Pause();
      break;
    case PlayerCommand::kStop:
      playlist.Stop();
      break;
    case PlayerCommand::kNext:
      playlist.Next();
      break;
    case PlayerCommand::kPrevious:
      playlist.Previous();
      break;
    case PlayerCommand::kVolumeUp:
    case PlayerCommand::kVolumeDown:
      if (unit) {
        const int step = command == PlayerCommand::kVolumeUp ? kVolumeStep : -kVolumeStep;
        unit->SetVolume(unit->volume() + step);
      }
      break;
    case PlayerCommand::kMute:
      if (unit) unit->SetMuted(!unit->muted());
      break;
  }
  // The command may have ended the window while a batch came in.
  if (p.media && p.media->transport) p.media->transport->Refresh();
}

bool ReadyForAnotherStep() {
  PlaybackState& p = Playback();
  return p.binding && !p.binding->playlist.Busy() &&
         CurrentPlayer().State() != catalogue::PlayState::kLoading;
}

TaskbarView CurrentTaskbarView() {
  PlaybackState& p = Playback();
  TaskbarView view;
  MediaPlayerUnit* unit = p.media ? p.media->播放器1.get() : nullptr;
  if (!unit) return view;
  using Play = TaskbarView::Play;
  switch (unit->activity()) {
    case MediaPlayerUnit::Activity::kPlaying:
      view.play = Play::kPlaying;
      break;
    case MediaPlayerUnit::Activity::kPaused:
      view.play = Play::kPaused;
      break;
    case MediaPlayerUnit::Activity::kLoading:
      view.play = Play::kLoading;
      break;
    default:
      return view;
  }
  view.positionSeconds = unit->PositionSeconds();
  view.durationSeconds = unit->DurationSeconds();
  return view;
}

bool PlayerSound(int& volume, bool& muted) {
  PlaybackState& p = Playback();
  if (!p.media || !p.media->播放器1) return false;
  volume = p.media->播放器1->volume();
  muted = p.media->播放器1->muted();
  return true;
}

void SetPlayerSound(int volume, bool muted) {
  PlaybackState& p = Playback();
  if (!p.media || !p.media->播放器1) return;
  p.media->播放器1->SetVolume(volume);
  p.media->播放器1->SetMuted(muted);
  if (p.media->transport) p.media->transport->Refresh();
}

void RefreshPlaybackUnits() {
  PlaybackState& p = Playback();
  if (p.media && p.media->face) p.media->face->Refresh();
  if (p.media && p.media->transport) p.media->transport->Refresh();
}

}  // namespace app
