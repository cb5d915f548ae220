// Message boxes and early ends of the application.
#pragma once

#include <windows.h>

namespace app {

// Text only, OK button only, no icon; waits until the user closes it. Owned by `owner` (none
// before the window exists), so it stays in front of it. An error has the system's default
// title (错误); a notice carries the program's own.
enum class MessageKind { kError, kNotice };
void ShowMessage(HWND owner, const wchar_t* text, MessageKind kind = MessageKind::kError);

// Ends the process with exit code 0; the registered exit routine runs.
[[noreturn]] void EndProgram();

}  // namespace app
