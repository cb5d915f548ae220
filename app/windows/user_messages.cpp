#include "app/windows/user_messages.h"

#include <windows.h>

#include <cstdlib>

#include "app/announcer.h"
#include "app/data/language.h"

namespace app {

void ShowMessage(HWND owner, const wchar_t* text, MessageKind kind) {
  Announce().Say("message ", text);
  MessageBoxW(owner, text, kind == MessageKind::kNotice ? Texts().programTitle : nullptr, MB_OK);
}

void EndProgram() { std::exit(0); }

}  // namespace app
