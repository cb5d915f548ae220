#include "rescanner.h"

#include <chrono>
#include <cstdio>
#include <exception>

namespace catalogue_service {

Rescanner::Rescanner(const Scanner* scanner, IndexStore& store, LibraryCatalogue& catalogue,
                     int periodSeconds)
    : scanner_(scanner), store_(store), catalogue_(catalogue), periodSeconds_(periodSeconds) {
  thread_ = std::thread([this] { Loop(); });
}

Rescanner::~Rescanner() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    ending_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void Rescanner::RunOnce() {
  std::lock_guard<std::mutex> pass(passLock_);
  try {
    if (scanner_) {
      const ScanReport r = scanner_->Scan(store_);
      std::printf(
          "catalogue-service: scanned in %.2f s: %ld unchanged, %ld added, %ld changed, %ld "
          "removed, %ld skipped\n",
          r.seconds, r.unchanged, r.added, r.changed, r.removed, r.skipped);
    }
    catalogue_.Refresh();
  } catch (const std::exception& e) {
    // The index stays as it was; the next pass tries again.
    std::fprintf(stderr, "catalogue-service: scan failed: %s\n", e.what());
  }
}

void Rescanner::Request() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    requested_ = true;
  }
  wake_.notify_all();
}

void Rescanner::Loop() {
  std::unique_lock<std::mutex> hold(lock_);
  while (!ending_) {
    const auto due = [this] { return requested_ || ending_; };
    if (periodSeconds_ > 0) {
      wake_.wait_for(hold, std::chrono::seconds(periodSeconds_), due);
    } else {
      wake_.wait(hold, due);
    }
    if (ending_) break;
    requested_ = false;
    hold.unlock();
    RunOnce();
    hold.lock();
  }
}

}  // namespace catalogue_service
