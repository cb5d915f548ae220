// The player's entry point: process start, the main window, the message loop.
#include <windows.h>

#include "app/key_router.h"
#include "app/player_window.h"
#include "app/process_start.h"
#include "app/startup_log.h"
#include "graphics/dpi_context.h"
#include "skin/move_size.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  app::LogStartupStep("entry point");
  // Before any window: where the manifest was not read, awareness is asked for here.
  graphics::DeclareDpiAwareness();
  app::StartProcess();
  app::LogStartupStep("skin engine and GDI+ started");
  if (!app::CreatePlayerWindow()) return 0;
  app::LogStartupStep("main window painted");
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (app::RouteKey(msg)) continue;
    skin::RouteEdgeMouseToFrame(msg);
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
