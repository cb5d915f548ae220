// Keeps the index current while the service runs: a scan on request (SIGHUP, the admin page)
// and on a period. An instance that does not scan takes the index's ids anew instead.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "library_catalogue.h"
#include "scanner.h"

namespace catalogue_service {

class Rescanner {
 public:
  // `scanner` null: only refresh from the index. A period of 0 seconds: on request only.
  Rescanner(const Scanner* scanner, IndexStore& store, LibraryCatalogue& catalogue,
            int periodSeconds);
  ~Rescanner();
  Rescanner(const Rescanner&) = delete;
  Rescanner& operator=(const Rescanner&) = delete;

  // One pass now, on the caller's thread (the first scan, before the service listens).
  void RunOnce();
  // A pass soon on the rescanner's thread; requests while one runs make one more pass.
  void Request();

 private:
  void Loop();

  const Scanner* scanner_;
  IndexStore& store_;
  LibraryCatalogue& catalogue_;
  int periodSeconds_;
  std::mutex lock_;
  std::mutex passLock_;
  std::condition_variable wake_;
  bool requested_ = false, ending_ = false;
  std::thread thread_;
};

}  // namespace catalogue_service
