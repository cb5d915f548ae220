// Runs the bundled catalogue service (a native program, started through Wine) for one test.
#pragma once

#include <string>

namespace testing_support {

// The port of the catalogue address the player under test was built with: the build's, or the
// one its test lane names (VELORY_CATALOGUE_PORT); 0 when the address is not on 127.0.0.1.
int CataloguePort();
// That address, "http://127.0.0.1:PORT/".
std::string CatalogueBaseUrl();

// Asks a service on 127.0.0.1:port to end and waits until the port is free; true when it is.
bool StopCatalogueService(int port);

class CatalogueService {
 public:
  // Starts the service on 127.0.0.1:port with the extra arguments and waits until it answers.
  // A service left on that port by an earlier test is asked to end first.
  explicit CatalogueService(int port, const std::string& extraArguments = "");
  // Asks the service to end and waits until the port is free again.
  ~CatalogueService();
  CatalogueService(const CatalogueService&) = delete;
  CatalogueService& operator=(const CatalogueService&) = delete;

  bool ready() const { return ready_; }
  // How many requests the page (the home page: empty) has had; -1 when the service does not say.
  long Requests(const std::string& page) const;
  // The base address; with a fault name, the address under which every answer has that fault.
  std::string BaseUrl(const std::string& fault = "") const;
  // The service's log, one line per request ("GET /mp3.ashx?id=2 -> 200"); it is appended to
  // by every service started on the port.
  std::string LogPath() const;

 private:
  int port_;
  bool ready_ = false;
};

}  // namespace testing_support
