// The player's entry point: process start, the main window, the message loop.
#include <windows.h>

#include "app/player_window.h"
#include "app/process_start.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  app::StartProcess();
  if (!app::CreatePlayerWindow()) return 0;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
