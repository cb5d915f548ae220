// The thin HTTP layer: the catalogue's pages in the wire format the player reads, the songs,
// and, for tests only, faults and request counts.
#pragma once

#include <httplib.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "catalogue.h"
#include "options.h"

namespace catalogue_service {

class HttpService {
 public:
  // `roots`: the folders songs may come from; `rescan` asks for a scan; `stop` ends the service.
  HttpService(const Options& options, Catalogue& catalogue, std::vector<std::string> roots,
              std::function<void()> rescan, std::function<void()> stop);

  void Install(httplib::Server& server);

 private:
  void Serve(const httplib::Request& req, httplib::Response& res, Fault fault,
             const std::string& page);
  void ServeSong(const httplib::Request& req, httplib::Response& res, Fault fault);
  std::string Listener(const httplib::Request& req) const;

  const Options& options_;
  Catalogue& catalogue_;
  std::vector<std::string> roots_;
  std::function<void()> rescan_, stop_;
  std::mutex countLock_;
  std::map<std::string, long> pageRequests_;
};

// Whether the address is on this machine (127.0.0.0/8, ::1, or either mapped into IPv6).
bool IsLoopback(const std::string& address);

// Tokens carry nothing the service has to remember, so any instance of several takes any
// other's: sixteen hex digits.
std::string NewToken();
bool IsToken(const std::string& text);

}  // namespace catalogue_service
