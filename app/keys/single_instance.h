// One player per user: the first start holds a named mutex for its life; a later start hands
// its request to that player's window and ends.
#pragma once

#include <windows.h>

#include "app/keys/remote_command.h"

namespace app {

class InstanceLock {
 public:
  InstanceLock();  // takes or opens the user's mutex
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  // False when another player of this user holds it already.
  bool first() const { return first_; }

 private:
  HANDLE mutex_ = nullptr;
  bool first_ = true;
};

// What the running player answers a WM_COPYDATA request with.
inline constexpr LRESULT kRemoteRefused = 0;
inline constexpr LRESULT kRemoteDone = 1;
inline constexpr LRESULT kRemoteBusy = 2;  // still starting: ask again

// Finds the running player's main window (waiting while it is still being made), lets it come to
// the front and sends the request. True when the player took it.
bool HandToRunningPlayer(const RemoteRequest& request);

}  // namespace app
