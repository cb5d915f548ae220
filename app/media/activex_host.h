// A container of our own for one ActiveX control: a child window at the unit's place, a client
// site for the control, and the control activated in place to fill that window.
#pragma once

#include <ole2.h>
#include <windows.h>

#include "app/media/com_ptr.h"
#include "app/windows/player_units.h"

namespace app {

// OLE on the calling (GUI) thread for as long as the object lives.
class OleSession {
 public:
  OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleSession() {
    if (initialised_) OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  bool initialised() const { return initialised_; }

 private:
  bool initialised_;
};

class ActiveXHost {
 public:
  // Makes the container window inside `parent`; there is no control yet.
  ActiveXHost(HWND parent, const UnitGeometry& place, int id, bool visible);
  // Deactivates and releases the control, then destroys the container window.
  ~ActiveXHost();
  ActiveXHost(const ActiveXHost&) = delete;
  ActiveXHost& operator=(const ActiveXHost&) = delete;

  // Creates the control and activates it in place. On any failure there is no control and
  // false is returned; the container window stays, empty.
  bool Create(const CLSID& clsid);

  bool hasControl() const { return static_cast<bool>(object_); }
  // One of the control's interfaces; empty without a control or when it has none.
  template <typename I>
  ComPtr<I> Control(REFIID iid) const {
    return object_.As<I>(iid);
  }
  HWND window() const { return window_; }

 private:
  void ReleaseControl();

  HWND window_ = nullptr;
  ComPtr<IOleClientSite> site_;
  ComPtr<IOleObject> object_;
};

}  // namespace app
