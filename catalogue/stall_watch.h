// A song that comes in too slowly to be worth waiting for: fewer than `minBytes` arrived within
// one period. The per-piece deadline ends a fetch that receives nothing; this ends one that
// trickles.
#pragma once

#include <cstdint>

namespace catalogue {

// The period unless VELORY_STALL_MS names another (the tests shorten it).
inline constexpr uint64_t kStallPeriodMs = 10000;
inline constexpr uint64_t kStallMinBytes = 16 * 1024;

class StallWatch {
 public:
  StallWatch(uint64_t periodMs, uint64_t minBytes) : periodMs_(periodMs), minBytes_(minBytes) {}
  // Told the time and the bytes received so far; false once a period ended with too few.
  bool Going(uint64_t nowMs, uint64_t received);

 private:
  uint64_t periodMs_, minBytes_;
  bool started_ = false;
  uint64_t since_ = 0, receivedThen_ = 0;
};

// kStallPeriodMs, or VELORY_STALL_MS when it holds a positive number.
uint64_t StallPeriodMs();

}  // namespace catalogue
