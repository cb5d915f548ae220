// Lets the window process what is waiting in the thread's queue while a long job runs on the
// GUI thread.
#pragma once

#include <windows.h>

namespace catalogue {

// Sees every message the pump takes out, before it is dispatched; true keeps it from being
// dispatched. The program's keys go through it while a job runs as they do in the main loop.
using MessageFilter = bool (*)(const MSG& msg);
void SetMessageFilter(MessageFilter filter);

// Translates and dispatches every pending message of this thread. A WM_QUIT taken out of the
// queue is posted back with its exit code, so the message loop still ends the program.
void ProcessPendingMessages();

// Says when a pump that runs on every pass of a long loop is due: at the first call and then
// once `intervalMs` have passed since the last due call. Times are any steady clock in ms.
class PumpInterval {
 public:
  explicit PumpInterval(double intervalMs) : intervalMs_(intervalMs) {}
  bool Due(double nowMs);

 private:
  double intervalMs_;
  bool started_ = false;
  double lastMs_ = 0;
};

// ProcessPendingMessages at most every few milliseconds: under Wine every look into the queue
// is a round trip to the server, which would cost far more than a pass of a parsing loop.
void ProcessPendingMessagesEveryFewMs();

}  // namespace catalogue
