// Lets the window process what is waiting in the thread's queue while a long job runs on the
// GUI thread.
#pragma once

namespace catalogue {

// Translates and dispatches every pending message of this thread. A WM_QUIT taken out of the
// queue is posted back with its exit code, so the message loop still ends the program.
void ProcessPendingMessages();

}  // namespace catalogue
