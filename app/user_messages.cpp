#include "app/user_messages.h"

#include <windows.h>

#include <cstdlib>

#include "app/announcer.h"

namespace app {

void ShowMessage(const wchar_t* text) {
  Announce().Say("message ", text);
  MessageBoxW(nullptr, text, nullptr, MB_OK);
}

void EndProgram() { std::exit(0); }

}  // namespace app
