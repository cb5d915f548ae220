// The play list's pauses: time passes while the window goes on processing its messages.
#pragma once

namespace catalogue {

// Waits `ms` milliseconds, dispatching this thread's messages as they arrive. Returns false as
// soon as the program is ending (a WM_QUIT waits in the queue); the WM_QUIT stays there for the
// message loop.
bool WaitProcessingMessages(unsigned ms);

}  // namespace catalogue
