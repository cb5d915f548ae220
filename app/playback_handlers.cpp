#include "app/playback_handlers.h"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>

#include "app/announcer.h"
#include "app/browser_unit.h"
#include "app/creation_handler.h"
#include "app/language.h"
#include "app/media_face.h"
#include "app/media_player_unit.h"
#include "app/program_state.h"
#include "app/settings_keeper.h"
#include "app/song_balloon.h"
#include "app/song_download.h"
#include "app/song_row_tips.h"
#include "app/source_setting.h"
#include "app/transport_bar.h"
#include "app/unit_scale.h"
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

class ListBoxUnit final : public catalogue::ListUnit {
 public:
  explicit ListBoxUnit(HWND list) : list_(list) {}
  int Count() const override {
    const LRESULT n = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    return n == LB_ERR ? 0 : static_cast<int>(n);
  }
  // The play list's entries are UTF-8; the list box holds them as UTF-16.
  std::string Entry(int index) const override {
    const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length <= 0) return {};
    std::wstring text(length + 1, L'\0');
    const LRESULT got =
        SendMessageW(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    if (got == LB_ERR) return {};
    text.resize(got);
    return catalogue::ToUtf8(text);
  }
  void Clear() override { SendMessageW(list_, LB_RESETCONTENT, 0, 0); }
  void Append(const std::string& text) override {
    SendMessageW(list_, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(catalogue::FromUtf8(text).c_str()));
  }
  int Selected() const override {
    const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
  }
  void Select(int index) override { SendMessageW(list_, LB_SETCURSEL, index, 0); }

 private:
  HWND list_;
};

// The two controls and OLE beneath them; members go in reverse order, OLE last.
struct MediaUnits {
  OleSession ole;
  std::unique_ptr<MediaPlayerUnit> 播放器1;
  std::unique_ptr<MediaFace> face;          // where the control has no face of its own
  std::unique_ptr<TransportBar> transport;  // with the face
  std::unique_ptr<BrowserUnit> 超文本浏览框2;
  std::unique_ptr<SongRowTips> rowTips;
};

std::unique_ptr<MediaUnits> g_media;

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
  static MediaPlayerUnit* Unit() { return g_media ? g_media->播放器1.get() : nullptr; }
};

// The play list and what it is bound to. Kept for the life of the process: a handler may still
// be running inside one of its waits when the window goes.
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
                 {replayPending, replayAddress, advancePending, currentSongIndex}) {}

  ListBoxUnit songs, visible;
  CurrentPlayer player;
  catalogue::Playlist playlist;
};

std::unique_ptr<PlaylistBinding> g_binding;
HWND g_window = nullptr;  // the main window, owner of the download's windows
HWND MainWindow() { return g_window; }

catalogue::NowPlaying NowPlaying() {
  return g_binding ? g_binding->playlist.nowPlaying() : catalogue::NowPlaying{};
}

const char* TickText(catalogue::Playlist::Tick tick) {
  using Tick = catalogue::Playlist::Tick;
  switch (tick) {
    case Tick::kBusy:
      return "busy";
    case Tick::kHeld:
      return "held";
    case Tick::kNothingEnded:
      return "nothing ended";
    case Tick::kReplayed:
      return "replayed";
    case Tick::kNoEntryPlays:
      return "no entry plays";
    case Tick::kAdvanced:
      return "advanced";
    case Tick::kNewBatch:
      return "new batch";
    case Tick::kWaiting:
      return "waiting to retry";
    case Tick::kRetried:
      return "retried";
    case Tick::kGaveUp:
      return "given up";
  }
  return "";
}

void OnPlayStateChange(long state) {
  if (Announce().on()) Announce().Say("state ", state, " song ", NowPlaying().number);
  if (g_binding) g_binding->playlist.PlayStateChanged(state);
}

std::wstring NoticeText() {
  using Notice = catalogue::Playlist::Notice;
  switch (g_binding ? g_binding->playlist.notice() : Notice::kNone) {
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
  if (!source.fetchedNothing() || !g_media || !g_media->播放器1 ||
      g_media->播放器1->activity() != MediaPlayerUnit::Activity::kStopped) {
    return {};
  }
  return EmptyListExplanation(source);
}

void OnSongFailed() {
  if (!g_binding) return;
  std::wstring why = g_media ? FailureReason(g_media->播放器1->failure()) : std::wstring();
  if (why.empty()) why = Texts().cannotPlay;  // as the face says it
  const catalogue::FetchProblem problem =
      g_media ? g_media->播放器1->failure().problem : catalogue::FetchProblem::kNone;
  g_binding->playlist.SongFailed(problem == catalogue::FetchProblem::kGone ||
                                 problem == catalogue::FetchProblem::kCannotPlay);
  static constexpr const char* kNotices[] = {"", "retrying", "given up", "unreachable"};
  Announce().Say("song failed ", NowPlaying().number, " ", why, "\t",
                 kNotices[static_cast<int>(g_binding->playlist.notice())]);
}

void OnDownload() {
  // The song goes on playing whichever way it is saved.
  const std::string url = CurrentPlayer().Url();
  if (!catalogue::RunningUnderWine() && catalogue::IsWebAddress(url)) {
    catalogue::DownloadAddress(url);  // the shell's dialog does the transfer
    return;
  }
  // A song of a folder is its own local file.
  const std::wstring local = !catalogue::IsWebAddress(url) ? catalogue::FromUtf8(url)
                             : g_media && g_media->播放器1 ? g_media->播放器1->LocalFile()
                                                           : L"";
  DownloadSong(g_window, url, SuggestedSongName(NowPlaying().number, NowPlaying().title, local),
               StartupPicture());
}

}  // namespace

void CreatePlaybackUnits(const PlayerUnits& units, int dpi) {
  // A play list still inside one of its waits is left alone; it finds no player any more.
  if (!g_binding || !g_binding->playlist.Busy()) {
    g_binding = std::make_unique<PlaylistBinding>(units);
  }
  g_window = units.window;
  g_media = std::make_unique<MediaUnits>();
  g_media->播放器1 = std::make_unique<MediaPlayerUnit>(units.分组框1, ScaledUnit(k播放器1, dpi),
                                                       kId播放器1, OnPlayStateChange);
  if (g_media->播放器1->fetchesSongs()) {
    g_media->播放器1->SetOnFailed(OnSongFailed);
    g_media->face = std::make_unique<MediaFace>(*g_media->播放器1, NowPlaying);
    g_media->face->SetNote(NoticeText);
    g_media->face->SetExplanation(FaceExplanation);
    if (g_media->face->window()) {
      g_media->transport = std::make_unique<TransportBar>(units.分组框1, g_media->face->window(),
                                                          *g_media->播放器1, RunPlayerCommand, dpi);
      g_media->face->SetOnTick([] { g_media->transport->Refresh(); });
    }
  }
  g_media->超文本浏览框2 =
      std::make_unique<BrowserUnit>(units.分组框1, ScaledUnit(k超文本浏览框2, dpi),
                                    kId超文本浏览框2, build_settings::kAuthorPageUrl);
  // Row k of the visible list stands for entry k of the song list.
  g_media->rowTips = std::make_unique<SongRowTips>(units.列表框2, [songs = units.列表框1](int row) {
    return catalogue::songTitles.Of(ListBoxUnit(songs).Entry(row));
  });
}

void ScalePlaybackUnits(const PlayerUnits& units, int dpi) {
  for (const auto& [id, design] :
       {std::pair{kId播放器1, k播放器1}, {kId超文本浏览框2, k超文本浏览框2}}) {
    const UnitGeometry g = ScaledUnit(design, dpi);
    SetWindowPos(GetDlgItem(units.分组框1, id), nullptr, g.left, g.top, g.width, g.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (g_media && g_media->face) g_media->face->SetDpi(dpi);
  if (g_media && g_media->transport) g_media->transport->Layout(g_media->face->window(), dpi);
}

void DestroyPlaybackUnits() {
  if (g_media) {
    g_media->face.reset();
    g_media->transport.reset();
  }
  g_media.reset();
}

void UseKeptSource() {
  if (!g_binding) return;
  catalogue::ProgramCatalogue().Use(ReadSourceSetting());
  AnnounceSource(catalogue::ProgramCatalogue());
  g_binding->playlist.AnotherBatch();
}

void UseChosenSource(const catalogue::MusicSource& source, catalogue::FolderCatalogue scanned) {
  if (!g_binding) return;
  catalogue::ProgramCatalogue().Use(source, std::move(scanned));
  AnnounceSource(catalogue::ProgramCatalogue());
  catalogue::Playlist& playlist = g_binding->playlist;
  const bool silent = CurrentPlayer().State() == catalogue::PlayState::kStopped;
  playlist.AnotherBatch();
  // Chosen where nothing played (the first start): the music begins without another step.
  if (silent && g_binding && !catalogue::ProgramCatalogue().fetchedNothing()) {
    g_binding->visible.Select(1);
    playlist.SongDoubleClicked();
  }
}

void OnLoopTimer() {
  if (g_binding) Announce().Say("tick ", TickText(g_binding->playlist.LoopTick()));
}

bool OnPlaybackCommand(int unitId, int code) {
  if (!g_binding) return false;
  if (unitId == kId按钮_换一批 && code == BN_CLICKED) {
    Announce().Say(g_binding->playlist.Busy() ? "another batch ignored: busy" : "another batch");
    g_binding->playlist.AnotherBatch();
    return true;
  }
  if (unitId == kId列表框2 && code == LBN_DBLCLK) {
    g_binding->playlist.SongDoubleClicked();
    return true;
  }
  if (unitId == kId按钮_下载 && code == BN_CLICKED) {
    OnDownload();
    return true;
  }
  return g_media && g_media->transport && g_media->transport->OnCommand(unitId, code);
}

bool OnPlaybackScroll(HWND bar, int code) {
  return g_media && g_media->transport && g_media->transport->OnScroll(bar, code);
}

void PlaySelectedSong() {
  if (g_binding) g_binding->playlist.SongDoubleClicked();
}

std::vector<HWND> TransportTabStops() {
  return g_media && g_media->transport ? g_media->transport->TabStops() : std::vector<HWND>();
}

void RunPlayerCommand(PlayerCommand command) {
  if (!g_binding) return;
  catalogue::Playlist& playlist = g_binding->playlist;
  MediaPlayerUnit* unit = g_media ? g_media->播放器1.get() : nullptr;
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
  if (g_media && g_media->transport) g_media->transport->Refresh();
}

bool ReadyForAnotherStep() {
  return g_binding && !g_binding->playlist.Busy() &&
         CurrentPlayer().State() != catalogue::PlayState::kLoading;
}

TaskbarView CurrentTaskbarView() {
  TaskbarView view;
  MediaPlayerUnit* unit = g_media ? g_media->播放器1.get() : nullptr;
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
  if (!g_media || !g_media->播放器1) return false;
  volume = g_media->播放器1->volume();
  muted = g_media->播放器1->muted();
  return true;
}

void SetPlayerSound(int volume, bool muted) {
  if (!g_media || !g_media->播放器1) return;
  g_media->播放器1->SetVolume(volume);
  g_media->播放器1->SetMuted(muted);
  if (g_media->transport) g_media->transport->Refresh();
}

void RefreshPlaybackUnits() {
  if (g_media && g_media->face) g_media->face->Refresh();
  if (g_media && g_media->transport) g_media->transport->Refresh();
}

}  // namespace app
