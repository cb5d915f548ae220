// 超文本浏览框2: the hidden web-browser unit, which opens the author's page once.
#pragma once

#include <exdisp.h>
#include <windows.h>

#include <string>

#include "app/media/activex_host.h"
#include "app/windows/player_units.h"

namespace app {

class BrowserUnit {
 public:
  // Creates the hidden browser control and starts opening `address`, silently. A control that
  // cannot be made or a page that cannot be opened leaves the unit inert and nothing else
  // changed.
  BrowserUnit(HWND parent, const UnitGeometry& place, int id, const std::string& address,
              const CLSID& clsid = CLSID_WebBrowser);
  BrowserUnit(const BrowserUnit&) = delete;
  BrowserUnit& operator=(const BrowserUnit&) = delete;

  bool created() const { return host_.hasControl(); }
  bool navigationStarted() const { return navigationStarted_; }
  HWND window() const { return host_.window(); }

 private:
  ActiveXHost host_;
  bool navigationStarted_ = false;
};

}  // namespace app
