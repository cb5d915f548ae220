// The play list's pauses and the waits for requests: time passes while the window goes on
// processing its messages.
#pragma once

#include <windows.h>

namespace catalogue {

// Waits `ms` milliseconds, dispatching this thread's messages as they arrive. Returns false as
// soon as the program is ending (a WM_QUIT waits in the queue); the WM_QUIT stays there for the
// message loop.
bool WaitProcessingMessages(unsigned ms);

enum class WaitOutcome { kSignalled, kTimedOut, kQuit };

// Waits until `object` is signalled or `ms` milliseconds have passed, dispatching this thread's
// messages meanwhile, so its windows paint and answer. Ends at once, with kQuit, when the program
// is ending; the WM_QUIT stays queued.
WaitOutcome WaitForObjectProcessingMessages(HANDLE object, unsigned ms);

// A WM_QUIT waits in this thread's queue: the program is ending.
bool QuitPending();

}  // namespace catalogue
