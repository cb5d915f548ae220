#include "app/media/tick_text.h"

namespace app {

const char* TickText(catalogue::Playlist::Tick tick) {
  using Tick = catalogue::Playlist::Tick;
  switch (tick) {
    case Tick::kBusy:
      return "busy";
    case Tick::kHeld:
      return "held";
    case Tick::kNothingEnded:
      return "nothing ended";
    case Tick::kReplayed:
      return "replayed";
    case Tick::kNoEntryPlays:
      return "no entry plays";
    case Tick::kAdvanced:
      return "advanced";
    case Tick::kNewBatch:
      return "new batch";
    case Tick::kWaiting:
      return "waiting to retry";
    case Tick::kRetried:
      return "retried";
    case Tick::kGaveUp:
      return "given up";
  }
  return "";
}

}  // namespace app
