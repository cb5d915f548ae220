// Everything the running player keeps between messages, in one object that the program's start
// makes and every handler reaches through App().
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/announcer.h"
#include "app/data/language.h"
#include "app/data/settings_keeper.h"
#include "app/desktop/program_icon.h"
#include "app/keys/key_router.h"
#include "app/windows/player_units.h"
#include "skin/picture/picture_ahead.h"

namespace skin {
class SkinEngine;
}

namespace app {

struct SkinEngineDeleter {
  void operator()(skin::SkinEngine* engine) const;
};

// The play list, the controls bound to it and the taskbar button: defined where they are driven.
struct PlaybackState;
struct PlaybackStateDeleter {
  void operator()(PlaybackState* state) const;
};
struct TaskbarState;
struct TaskbarStateDeleter {
  void operator()(TaskbarState* state) const;
};

// What the loop timer acts on at its next tick; the play list holds references to these.
struct LoopFlags {
  bool replayPending = false;    // play the song again
  std::string replayAddress;     // what a replay hands the player
  bool advancePending = false;   // move to the next song
  int32_t currentSongIndex = 0;  // the playing song's index in both list boxes
};

class Application {
 public:
  // Becomes the application App() reaches, until it is destroyed.
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The background decoded while the start-up waits for the catalogue; lent to the engine, so it
  // is declared before it and goes after it.
  skin::PictureAhead pictureAhead;
  // Made by the process start; declared next, so that it goes after every window part that
  // still paints or lets go of its records.
  std::unique_ptr<skin::SkinEngine, SkinEngineDeleter> skinEngine;
  const Announcer announcer{kEventLogVariable};
  LanguageChoice language;
  SettingsKeeper settings;

  PlayerUnits units;             // of the one main window; empty handles before it exists
  bool creating = false;         // the creation handler runs
  std::vector<uint8_t> picture;  // the start-up picture, as read from its file
  LoopFlags loop;
  std::unique_ptr<PlaybackState, PlaybackStateDeleter> playback;
  std::unique_ptr<TaskbarState, TaskbarStateDeleter> taskbar;
  KeyRouter keys;
  WindowIcons windowIcons;
  // The shell copies the tray icon when it is added, so one made for the whole run is enough.
  HICON trayIcon = nullptr;
  bool downloading = false;
  HWND downloadWindow = nullptr;  // the running download's window, once it shows

  // The shell broadcasts these when it (re)starts and when the window's button appears.
  const UINT taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
  const UINT taskbarButtonCreatedMessage = RegisterWindowMessageW(L"TaskbarButtonCreated");

 private:
  friend Application& App();
  friend bool HasApp();
  static Application* current_;
};

// The application the program's start made; HasApp() is false before and after it.
Application& App();
bool HasApp();
// The application's skin engine; none before the process start and after the application.
skin::SkinEngine* Engine();

}  // namespace app
