// The service's command line.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "faults.h"

namespace catalogue_service {

struct Options {
  int port = 8421;
  std::string host = "127.0.0.1";
  std::vector<std::string> music;
  std::string data;      // the index's folder; XDG data folder by default
  std::string postgres;  // a libpq connection string: the index in PostgreSQL
  bool scan = true;      // false: an instance that only reads an index another one keeps
  int rescanMinutes = 60;
  int workers = 128;
  bool trustForwardedFor = false;
  std::string log;

  // Only with --testing: the generated tones and the faults of the player's tests.
  bool testing = false;
  Fault fault = Fault::kNone;
  std::map<int, Fault> songFaults;
  std::map<int, std::string> songTitles;
  int exitAfterSeconds = 0;
  bool allowShutdown = false;
};

// Ends the process with a usage message on any mistake.
Options ParseOptions(int argc, char** argv);
[[noreturn]] void Usage(const std::string& problem);

// $XDG_DATA_HOME/velory-catalogue, or ~/.local/share/velory-catalogue.
std::string DefaultDataFolder();

}  // namespace catalogue_service
