// Message boxes and early ends of the application.
#pragma once

namespace app {

// Text only, OK button only, no icon, the default title; waits until the user closes it.
void ShowMessage(const wchar_t* text);

// Ends the process with exit code 0; the registered exit routine runs.
[[noreturn]] void EndProgram();

}  // namespace app
