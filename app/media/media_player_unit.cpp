#include "app/media/media_player_unit.h"

#include <algorithm>
#include <atomic>

// The media player's GUIDs are in no import library: this is the one place that defines them.
#include <initguid.h>
#include <wmp.h>

#include "app/media/bstr.h"
#include "catalogue/host_platform.h"
#include "catalogue/playlist.h"
#include "catalogue/text_routines.h"

namespace app {

const CLSID& kMediaPlayerClsid = CLSID_WindowsMediaPlayer;

namespace {

constexpr DISPID kDispidPlayStateChange = 5101;

// The control's event interface; only PlayStateChange is of interest.
class PlayStateSink final : public IDispatch {
 public:
  explicit PlayStateSink(MediaPlayerUnit::StateHandler handler) : handler_(std::move(handler)) {}

  // After this the control may still hold the sink, but nothing reaches the program.
  void Detach() { handler_ = nullptr; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__WMPOCXEvents) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    if (id != kDispidPlayStateChange || !params || params->cArgs < 1 || !handler_) return S_OK;
    long state = 0;
    if (StateOf(params->rgvarg[params->cArgs - 1], &state)) {
      // A copy: the handler may end this sink's connection.
      const MediaPlayerUnit::StateHandler handler = handler_;
      handler(state);
    }
    return S_OK;
  }

 private:
  ~PlayStateSink() = default;

  // Windows sends the state as VT_I4, Wine as VT_UI4; anything else that converts is taken too.
  static bool StateOf(const VARIANT& v, long* state) {
    switch (V_VT(&v)) {
      case VT_I4:
        *state = V_I4(&v);
        return true;
      case VT_UI4:
        *state = static_cast<long>(V_UI4(&v));
        return true;
      default: {
        VARIANT converted;
        VariantInit(&converted);
        const bool ok =
            SUCCEEDED(VariantChangeType(&converted, const_cast<VARIANT*>(&v), 0, VT_I4));
        if (ok) *state = V_I4(&converted);
        VariantClear(&converted);
        return ok;
      }
    }
  }

  std::atomic<ULONG> refs_{1};
  MediaPlayerUnit::StateHandler handler_;
};

// Settings the control refuses (Wine answers E_NOTIMPL to several) are left as they are.
void ApplySettings(const ActiveXHost& host) {
  constexpr long kVolume = 50;
  if (auto core = host.Control<IWMPCore>(IID_IWMPCore)) {
    ComPtr<IWMPSettings> settings;
    if (SUCCEEDED(core->get_settings(settings.Out())) && settings) {
      settings->put_autoStart(VARIANT_TRUE);
      settings->put_playCount(1);
      settings->put_volume(catalogue::RunningUnderWine() ? catalogue::WineVolumeLevel(kVolume)
                                                         : kVolume);
      settings->put_mute(VARIANT_FALSE);
      settings->put_rate(1.0);
      settings->put_enableErrorDialogs(VARIANT_FALSE);
    }
  }
  const Bstr full(L"full");
  if (auto player = host.Control<IWMPPlayer4>(IID_IWMPPlayer4)) {
    player->put_uiMode(full.get());
    player->put_enableContextMenu(VARIANT_TRUE);
  } else if (auto old = host.Control<IWMPPlayer>(IID_IWMPPlayer)) {
    old->put_uiMode(full.get());
    old->put_enableContextMenu(VARIANT_TRUE);
  }
}

}  // namespace

// The sink's connection to the control, undone when this goes.
class MediaPlayerUnit::Events {
 public:
  Events(const ActiveXHost& host, StateHandler handler) {
    auto container = host.Control<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container) return;
    if (FAILED(container->FindConnectionPoint(IID__WMPOCXEvents, point_.Out())) || !point_) {
      return;
    }
    sink_ = ComPtr<PlayStateSink>::Adopt(new PlayStateSink(std::move(handler)));
    if (FAILED(point_->Advise(sink_.get(), &cookie_))) cookie_ = 0;
  }
  ~Events() {
    if (point_ && cookie_) point_->Unadvise(cookie_);
    if (sink_) sink_->Detach();
  }
  Events(const Events&) = delete;
  Events& operator=(const Events&) = delete;

 private:
  ComPtr<IConnectionPoint> point_;
  ComPtr<PlayStateSink> sink_;
  DWORD cookie_ = 0;
};

MediaPlayerUnit::MediaPlayerUnit(HWND parent, const UnitGeometry& place, int id,
                                 StateHandler onState, const CLSID& clsid)
    : host_(parent, place, id, true), onState_(std::move(onState)) {
  if (!host_.Create(clsid)) return;
  ApplySettings(host_);
  events_ = std::make_unique<Events>(host_, [this](long state) { OnControlState(state); });
  if (catalogue::RunningUnderWine()) {
    loader_ = std::make_unique<SongLoader>(
        [this](const std::wstring& path) { OnSongReady(path); },
        [this](const catalogue::FetchReport& report) { OnSongFailed(report); });
  }
}

MediaPlayerUnit::~MediaPlayerUnit() { events_.reset(); }

std::string MediaPlayerUnit::Url() const {
  // The control holds the local copy, or nothing of a song that failed before it reached it.
  if (loader_ || failed_) return url_;
  if (auto core = host_.Control<IWMPCore>(IID_IWMPCore)) {
    Bstr url;
    if (SUCCEEDED(core->get_URL(url.Out()))) return url.ToUtf8();
  }
  return url_;
}

namespace {

ComPtr<IWMPControls> ControlsOf(const ActiveXHost& host) {
  ComPtr<IWMPControls> controls;
  if (auto core = host.Control<IWMPCore>(IID_IWMPCore)) core->get_controls(controls.Out());
  return controls;
}

ComPtr<IWMPSettings> SettingsOf(const ActiveXHost& host) {
  ComPtr<IWMPSettings> settings;
  if (auto core = host.Control<IWMPCore>(IID_IWMPCore)) core->get_settings(settings.Out());
  return settings;
}

// A web address or a local file's path.
void PutUrl(const ActiveXHost& host, const std::wstring& url) {
  if (auto core = host.Control<IWMPCore>(IID_IWMPCore)) {
    const Bstr text(url);
    core->put_URL(text.get());
  }
}

}  // namespace

void MediaPlayerUnit::SetUrl(const std::string& url) {
  url_ = url;
  failed_ = false;
  played_ = false;
  failure_ = {};
  heldAt_ = -1;
  if (!loader_ || !catalogue::IsWebAddress(url)) {
    // A folder's song deleted after the folder was read: said, and passed over as a failure.
    if (!url.empty() && !catalogue::IsWebAddress(url) &&
        GetFileAttributesW(catalogue::FromUtf8(url).c_str()) == INVALID_FILE_ATTRIBUTES) {
      if (auto controls = ControlsOf(host_)) controls->stop();
      OnSongFailed({catalogue::FetchProblem::kGone, 0});
      return;
    }
    PutUrl(host_, catalogue::FromUtf8(url));
    if (loader_) {
      // A local file or no song: the fetched copies are of no more use.
      loader_->Cancel();
      loader_->RemoveOlderFiles(false);
      fileUrl_.clear();
    }
    return;
  }
  // The same song again (the single-song loop): its copy is still here, so it plays from that
  // instead of being fetched once more.
  if (url == fileUrl_ && !loader_->currentFile().empty()) {
    loader_->Cancel();
    PutUrl(host_, loader_->currentFile());
    return;
  }
  // The song now playing stops at once, as it would while the control buffers the new one.
  if (auto core = host_.Control<IWMPCore>(IID_IWMPCore)) {
    ComPtr<IWMPControls> controls;
    if (SUCCEEDED(core->get_controls(controls.Out())) && controls) controls->stop();
  }
  loader_->Load(url);
}

void MediaPlayerUnit::OnSongReady(const std::wstring& path) {
  fileUrl_ = url_;  // only the newest request gets here, and it is the one for url_
  PutUrl(host_, path);
  // The control has let go of the song before; its file can go now.
  loader_->RemoveOlderFiles();
}

void MediaPlayerUnit::OnSongFailed(const catalogue::FetchReport& report) {
  state_ = 0;
  failed_ = true;
  failure_ = report;
  if (onFailed_) {
    onFailed_();
    return;
  }
  // What the control reports for an address it cannot open.
  if (onState_) onState_(0);
}

void MediaPlayerUnit::OnControlState(long state) {
  if (state == catalogue::kStatePlaying) played_ = true;
  // A file the control opened but never played (its data is no song it decodes) ends in the
  // undefined state: that is a failure, not the song's end.
  if (state == catalogue::kStateUndefined && !played_ && !failed_ && !url_.empty() &&
      !(loader_ && loader_->loading())) {
    OnSongFailed({catalogue::FetchProblem::kCannotPlay, 0});
    return;
  }
  state_ = state;
  if (onState_) onState_(state);
}

MediaPlayerUnit::Activity MediaPlayerUnit::activity() const {
  if (heldAt_ >= 0) return Activity::kPaused;
  if (loader_ && loader_->loading()) return Activity::kLoading;
  switch (state_) {
    case 3:  // playing
      return Activity::kPlaying;
    case kStatePaused:
      return Activity::kPaused;
    case 6:   // buffering
    case 7:   // waiting
    case 9:   // transitioning
    case 11:  // reconnecting
      return Activity::kLoading;
    default:
      return Activity::kStopped;
  }
}

double MediaPlayerUnit::PositionSeconds() const {
  if (heldAt_ >= 0) return heldAt_;
  double seconds = 0;
  if (auto controls = ControlsOf(host_);
      controls && FAILED(controls->get_currentPosition(&seconds))) {
    seconds = 0;
  }
  return seconds;
}

double MediaPlayerUnit::DurationSeconds() const {
  double seconds = 0;
  ComPtr<IWMPMedia> media;
  if (auto core = host_.Control<IWMPCore>(IID_IWMPCore);
      core && SUCCEEDED(core->get_currentMedia(media.Out())) && media &&
      FAILED(media->get_duration(&seconds))) {
    seconds = 0;
  }
  return seconds > 0 && seconds < 1e7 ? seconds : 0;
}

void MediaPlayerUnit::SeekTo(double seconds) {
  if (heldAt_ >= 0) {
    heldAt_ = std::clamp(seconds, 0.0, DurationSeconds());
    return;
  }
  if (auto controls = ControlsOf(host_)) controls->put_currentPosition(seconds < 0 ? 0 : seconds);
}

void MediaPlayerUnit::Play() {
  // A song whose fetch a stop cut short is fetched again; the control still holds the one before.
  if (loader_ && catalogue::IsWebAddress(url_) && url_ != fileUrl_) {
    SetUrl(url_);
    return;
  }
  auto controls = ControlsOf(host_);
  if (!controls) return;
  controls->play();
  if (heldAt_ >= 0) {
    controls->put_currentPosition(heldAt_);
    heldAt_ = -1;
  }
}

void MediaPlayerUnit::Pause() {
  auto controls = ControlsOf(host_);
  if (!controls || heldAt_ >= 0 || SUCCEEDED(controls->pause())) return;
  // Wine's control cannot pause: it stops, and Play goes on from where it stopped.
  const double at = PositionSeconds();
  controls->stop();
  heldAt_ = at;
}

void MediaPlayerUnit::Stop() {
  heldAt_ = -1;
  if (loader_) loader_->Cancel();  // a song still coming in must not start after the stop
  if (auto controls = ControlsOf(host_)) controls->stop();
}

// Wine's control takes no mute of its own: there a muted player is given volume 0 instead.
void MediaPlayerUnit::SetVolume(int volume) {
  volume_ = volume < 0 ? 0 : (volume > 100 ? 100 : volume);
  SetMuted(muted_);
}

void MediaPlayerUnit::SetMuted(bool muted) {
  muted_ = muted;
  auto settings = SettingsOf(host_);
  if (!settings) return;
  const bool wine = catalogue::RunningUnderWine();
  if (!wine) settings->put_mute(muted_ ? VARIANT_TRUE : VARIANT_FALSE);
  const int heard = wine && muted_ ? 0 : volume_;
  settings->put_volume(wine ? catalogue::WineVolumeLevel(heard) : heard);
}

int MediaPlayerUnit::HeardVolume() const {
  auto settings = SettingsOf(host_);
  long level = 0;
  if (!settings || FAILED(settings->get_volume(&level))) return -1;
  VARIANT_BOOL mute = VARIANT_FALSE;
  if (SUCCEEDED(settings->get_mute(&mute)) && mute != VARIANT_FALSE) return 0;
  if (!catalogue::RunningUnderWine()) return static_cast<int>(level);
  return catalogue::VolumeFromWineLevel(static_cast<int>(level));
}

}  // namespace app
