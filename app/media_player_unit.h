// 播放器1: the media player control in its container, with the unit's persisted settings, its
// URL and its play-state event.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/activex_host.h"
#include "app/player_units.h"

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

  std::string Url() const;  // code page 936
  void SetUrl(const std::string& url);

 private:
  class Events;

  ActiveXHost host_;
  std::unique_ptr<Events> events_;
  std::string url_;  // what the unit was given last
};

}  // namespace app
