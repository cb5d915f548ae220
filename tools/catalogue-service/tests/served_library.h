// A library scanned into a fresh SQLite index and served on a free loopback port, for as long
// as the object lives.
#pragma once

#include <httplib.h>

#include <memory>
#include <string>
#include <thread>

#include "front_door.h"
#include "http_service.h"
#include "library_catalogue.h"
#include "scanner.h"
#include "sqlite_store.h"

namespace catalogue_service {

class ServedLibrary {
 public:
  ServedLibrary(const std::string& music, const std::string& index, DoorLimits limits = {});
  ~ServedLibrary();

  int port() const { return port_; }
  size_t Count() { return catalogue_.Count(); }
  FrontDoorServer& server() { return server_; }
  httplib::Result Get(const std::string& target, const httplib::Headers& headers = {});
  // One list, fetched through a fresh home page's token, as the listener (X-Forwarded-For).
  std::string List(const std::string& listener = "127.0.0.1");
  // The id of the first song of a fresh batch.
  std::string FirstId();

 private:
  Options options_;
  SqliteStore store_;
  Scanner scanner_;
  LibraryCatalogue catalogue_;
  FrontDoorServer server_;
  HttpService http_;
  int port_ = 0;
  std::thread thread_;
};

}  // namespace catalogue_service
