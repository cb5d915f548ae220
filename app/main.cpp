// The player's entry point: process start, the main window, the message loop.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "app/keys/remote_command.h"
#include "app/keys/single_instance.h"
#include "app/process_start.h"
#include "app/startup_log.h"
#include "app/windows/player_window.h"
#include "graphics/dpi_context.h"
#include "skin/frame/move_size.h"

namespace {

std::vector<std::wstring> Arguments() {
  std::vector<std::wstring> result;
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return result;
  for (int i = 1; i < count; ++i) result.emplace_back(argv[i]);
  LocalFree(argv);
  return result;
}

// Exit codes of a start that shows no window of its own.
constexpr int kUnknownCommand = 2, kNotDelivered = 1;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  app::Application application;
  app::LogStartupStep("entry point");
  const auto request = app::ParseCommandLine(Arguments());
  if (!request) return kUnknownCommand;
  const app::InstanceLock instance;
  if (!instance.first()) return app::HandToRunningPlayer(*request) ? 0 : kNotDelivered;
  // Before any window: where the manifest was not read, awareness is asked for here.
  graphics::DeclareDpiAwareness();
  app::StartProcess();
  app::LogStartupStep("skin engine and GDI+ started");
  if (!app::CreatePlayerWindow()) return 0;
  app::LogStartupStep("main window painted");
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (application.keys.Route(msg)) continue;
    skin::RouteEdgeMouseToFrame(msg);
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
