#include "options.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace catalogue_service {
namespace {

int ParseNumber(const std::string& text, const char* what) {
  try {
    size_t used = 0;
    const int value = std::stoi(text, &used);
    if (used == text.size() && value >= 0) return value;
  } catch (const std::exception&) {
  }
  Usage(std::string("bad ") + what + ": " + text);
}

// "TEXT*K": TEXT K times; any other text as it is.
std::string RepeatedText(const std::string& text) {
  const size_t star = text.rfind('*');
  if (star == std::string::npos || star + 1 == text.size() ||
      text.find_first_not_of("0123456789", star + 1) != std::string::npos) {
    return text;
  }
  const int times = ParseNumber(text.substr(star + 1), "repeat count");
  if (times > 1000000) Usage("repeat count too large");
  std::string out;
  for (int i = 0; i < times; ++i) out += text.substr(0, star);
  return out;
}

std::pair<int, std::string> NumberedValue(const std::string& text, const char* what) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos) Usage(std::string(what) + " needs N=VALUE");
  return {ParseNumber(text.substr(0, equals), "song number"), text.substr(equals + 1)};
}

}  // namespace

void Usage(const std::string& problem) {
  std::fprintf(stderr,
               "catalogue-service: %s\n"
               "usage: catalogue-service --music DIR [--music DIR]... [--data DIR]\n"
               "         [--host ADDR] [--port N] [--postgres CONNINFO] [--no-scan]\n"
               "         [--rescan-minutes N] [--workers N] [--trust-forwarded-for] [--log FILE]\n"
               "       catalogue-service --testing [--music DIR] [--fault NAME]\n"
               "         [--song-fault N=NAME]... [--song-title N=TEXT]... [--exit-after SECONDS]\n"
               "         [--allow-shutdown] [any switch above]\n",
               problem.c_str());
  std::exit(2);
}

std::string DefaultDataFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
    return std::string(xdg) + "/velory-catalogue";
  }
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.local/share/velory-catalogue";
}

Options ParseOptions(int argc, char** argv) {
  Options o;
  std::string testSwitch;  // the first test-only switch seen
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) Usage(arg + " needs a value");
      return argv[++i];
    };
    const auto testOnly = [&] {
      if (testSwitch.empty()) testSwitch = arg;
    };
    if (arg == "--port") {
      o.port = ParseNumber(value(), "port");
      if (o.port == 0 || o.port > 65535) Usage("port out of range");
    } else if (arg == "--host") {
      o.host = value();
    } else if (arg == "--music") {
      o.music.push_back(value());
    } else if (arg == "--data") {
      o.data = value();
    } else if (arg == "--postgres") {
      o.postgres = value();
    } else if (arg == "--no-scan") {
      o.scan = false;
    } else if (arg == "--rescan-minutes") {
      o.rescanMinutes = ParseNumber(value(), "minutes");
    } else if (arg == "--workers") {
      o.workers = ParseNumber(value(), "workers");
      if (o.workers < 1 || o.workers > 4096) Usage("workers out of range (1 to 4096)");
    } else if (arg == "--trust-forwarded-for") {
      o.trustForwardedFor = true;
    } else if (arg == "--log") {
      o.log = value();
    } else if (arg == "--testing") {
      o.testing = true;
    } else if (arg == "--fault") {
      testOnly();
      const std::string name = value();
      const auto fault = ParseFault(name);
      if (!fault) Usage("unknown fault " + name);
      o.fault = *fault;
    } else if (arg == "--song-fault") {
      testOnly();
      const auto [song, name] = NumberedValue(value(), "--song-fault");
      const auto fault = ParseFault(name);
      if (!fault) Usage("unknown fault " + name);
      o.songFaults[song] = *fault;
    } else if (arg == "--song-title") {
      testOnly();
      const auto [song, text] = NumberedValue(value(), "--song-title");
      o.songTitles[song] = RepeatedText(text);
    } else if (arg == "--exit-after") {
      testOnly();
      o.exitAfterSeconds = ParseNumber(value(), "seconds");
    } else if (arg == "--allow-shutdown") {
      testOnly();
      o.allowShutdown = true;
    } else {
      Usage("unknown argument " + arg);
    }
  }
  if (!testSwitch.empty() && !o.testing) Usage(testSwitch + " is for tests: only with --testing");
  if (o.music.empty() && !o.testing) {
    Usage("name a music folder: --music DIR");
  }
  if (o.data.empty()) o.data = DefaultDataFolder();
  return o;
}

}  // namespace catalogue_service
