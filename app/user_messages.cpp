#include "app/user_messages.h"

#include <windows.h>

#include <cstdlib>

namespace app {

void ShowMessage(const wchar_t* text) { MessageBoxW(nullptr, text, nullptr, MB_OK); }

void EndProgram() { std::exit(0); }

}  // namespace app
