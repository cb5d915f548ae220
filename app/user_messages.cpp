#include "app/user_messages.h"

#include <windows.h>

#include <cstdlib>

#include "app/announcer.h"

namespace app {

void ShowMessage(const char* text) {
  Announce().Say("message ", text);
  MessageBoxA(nullptr, text, nullptr, MB_OK);
}

void EndProgram() { std::exit(0); }

}  // namespace app
