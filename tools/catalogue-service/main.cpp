// The catalogue service bundled with the player: a small local site in the catalogue's wire
// format, so the player works out of the box and its tests have a real server to talk to.
//
//   catalogue-service [--port N] [--host ADDR] [--music DIR] [--fault NAME]
//                     [--song-fault N=NAME]... [--song-title N=TEXT]... [--log FILE]
//                     [--exit-after SECONDS] [--allow-shutdown]
//
//   /                  home page; its list reference carries a fresh token
//   /list.ashx?rnd=T   every song, one record each, starting 9 songs further on with each
//                      batch; an unknown token gets an empty list
//   /mp3.ashx?id=N     the bytes of song N (1-based)
//   /about.html        the author page
//   /ping              "ok", never with a fault (for harnesses waiting for the service)
//   /requests?page=P   how many requests page P (the home page: empty) has had, faults or not
//   /shutdown          ends the service (only with --allow-shutdown)
// Faults: see faults.h; --song-fault gives song N's answers a fault of their own. --song-title
// gives song N the title TEXT (UTF-8); TEXT ending in *K stands for the text before it K times,
// for titles too long for a command line (歌*40000). --log sends all
// output to the file and lets go of every inherited descriptor (a test harness that starts the
// service must not be kept waiting for them).
#include <fcntl.h>
#include <httplib.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "faults.h"
#include "pages.h"
#include "songs.h"

namespace catalogue_service {
namespace {

constexpr int kSlowSeconds = 20;
constexpr int kTrickleIntervalMs = 250;
constexpr int kHugeListRecords = 100000;
constexpr int kManyRecords = 10000;
constexpr size_t kBigBodyBytes = 50u << 20;
constexpr int kBatchStep = 9;
constexpr size_t kTokensKept = 1000;

std::atomic<bool> g_stopping{false};

struct Options {
  int port = 8421;
  std::string host = "127.0.0.1";
  std::string music;
  Fault fault = Fault::kNone;
  std::map<int, Fault> songFaults;
  std::map<int, std::string> songTitles;
  std::string log;
  int exitAfterSeconds = 0;
  bool allowShutdown = false;
};

[[noreturn]] void Usage(const std::string& problem) {
  std::fprintf(stderr,
               "catalogue-service: %s\nusage: catalogue-service [--port N] [--host ADDR] "
               "[--music DIR] [--fault NAME] [--song-fault N=NAME] [--song-title N=TEXT] "
               "[--log FILE] "
               "[--exit-after SECONDS] "
               "[--allow-shutdown]\n",
               problem.c_str());
  std::exit(2);
}

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

Options ParseOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) Usage(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--port") {
      o.port = ParseNumber(value(), "port");
      if (o.port == 0 || o.port > 65535) Usage("port out of range");
    } else if (arg == "--host") {
      o.host = value();
    } else if (arg == "--music") {
      o.music = value();
    } else if (arg == "--fault") {
      const std::string name = value();
      const auto fault = ParseFault(name);
      if (!fault) Usage("unknown fault " + name);
      o.fault = *fault;
    } else if (arg == "--song-fault") {
      const std::string songFault = value();
      const size_t equals = songFault.find('=');
      if (equals == std::string::npos) Usage("--song-fault needs N=NAME");
      const int song = ParseNumber(songFault.substr(0, equals), "song number");
      const auto fault = ParseFault(songFault.substr(equals + 1));
      if (!fault) Usage("unknown fault " + songFault.substr(equals + 1));
      o.songFaults[song] = *fault;
    } else if (arg == "--song-title") {
      const std::string songTitle = value();
      const size_t equals = songTitle.find('=');
      if (equals == std::string::npos) Usage("--song-title needs N=TEXT");
      const int song = ParseNumber(songTitle.substr(0, equals), "song number");
      o.songTitles[song] = RepeatedText(songTitle.substr(equals + 1));
    } else if (arg == "--log") {
      o.log = value();
    } else if (arg == "--exit-after") {
      o.exitAfterSeconds = ParseNumber(value(), "seconds");
    } else if (arg == "--allow-shutdown") {
      o.allowShutdown = true;
    } else {
      Usage("unknown argument " + arg);
    }
  }
  return o;
}

// Output to the log file, nothing else inherited kept open.
void DetachInto(const std::string& log) {
  const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  const int in = open("/dev/null", O_RDONLY);
  if (out < 0 || in < 0) {
    std::perror(log.c_str());
    std::exit(1);
  }
  dup2(in, 0);
  dup2(out, 1);
  dup2(out, 2);
  for (int fd = 3; fd < 1024; ++fd) close(fd);
  setsid();
}

// Sleeps in small steps so a stopping service is not held up.
void SleepUnlessStopping(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!g_stopping && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

class Catalogue {
 public:
  explicit Catalogue(std::vector<Song> songs) : songs_(std::move(songs)) {}

  const std::vector<Song>& songs() const { return songs_; }

  std::string NewToken() {
    std::lock_guard<std::mutex> hold(lock_);
    char text[17];
    std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(random_()));
    tokens_.push_back(text);
    if (tokens_.size() > kTokensKept) tokens_.pop_front();
    return text;
  }

  bool Knows(const std::string& token) {
    std::lock_guard<std::mutex> hold(lock_);
    for (const std::string& t : tokens_) {
      if (t == token) return true;
    }
    return false;
  }

  // The song numbers of the next batch: every song, each batch starting further on.
  std::vector<int> NextBatch(Fault fault) {
    const int count = static_cast<int>(songs_.size());
    std::vector<int> ids;
    if (fault == Fault::kHugeList || fault == Fault::kManyRecords) {
      const int records = fault == Fault::kHugeList ? kHugeListRecords : kManyRecords;
      for (int i = 0; i < records; ++i) ids.push_back(i % count + 1);
      return ids;
    }
    std::lock_guard<std::mutex> hold(lock_);
    const int first = static_cast<int>((batches_++ * kBatchStep) % count);
    for (int i = 0; i < count; ++i) ids.push_back((first + i) % count + 1);
    return ids;
  }

 private:
  std::vector<Song> songs_;
  std::mutex lock_;
  std::deque<std::string> tokens_;
  long long batches_ = 0;
  std::mt19937_64 random_{std::random_device{}()};
};

// Puts the body into the answer the way the fault asks.
void Answer(httplib::Response& res, std::string body, const std::string& type, Fault fault) {
  switch (fault) {
    case Fault::kEmpty:
      res.set_content("", type);
      return;
    case Fault::kStatus500:
    case Fault::kStatus404:
      res.status = fault == Fault::kStatus500 ? 500 : 404;
      res.set_content(body, type);
      return;
    case Fault::kBigBody:
      body.append(kBigBodyBytes, ' ');
      res.set_content(body, type);
      return;
    case Fault::kTrickle: {
      auto shared = std::make_shared<std::string>(std::move(body));
      res.set_content_provider(shared->size(), type,
                               [shared](size_t offset, size_t, httplib::DataSink& sink) {
                                 SleepUnlessStopping(kTrickleIntervalMs);
                                 return !g_stopping && sink.write(shared->data() + offset, 1);
                               });
      return;
    }
    case Fault::kCloseMidBody: {
      auto shared = std::make_shared<std::string>(std::move(body));
      res.set_content_provider(shared->size(), type,
                               [shared](size_t, size_t, httplib::DataSink& sink) {
                                 sink.write(shared->data(), shared->size() / 2);
                                 return false;  // ends the connection short of the length
                               });
      return;
    }
    default:
      res.set_content(body, type);
  }
}

void Serve(Catalogue& catalogue, const httplib::Request& req, httplib::Response& res, Fault fault,
           const std::string& page, const std::map<int, Fault>& songFaults) {
  if (fault == Fault::kSlow) SleepUnlessStopping(kSlowSeconds * 1000);
  if (page.empty()) {
    Answer(res, HomePage(catalogue.NewToken(), fault), "text/html; charset=utf-8", fault);
  } else if (page == "list.ashx") {
    const std::string token = req.get_param_value("rnd");
    std::string body;
    if (catalogue.Knows(token)) {
      body = ListScript(catalogue.songs(), catalogue.NextBatch(fault), fault);
    }
    Answer(res, std::move(body), "application/javascript; charset=utf-8", fault);
  } else if (page == "mp3.ashx") {
    const std::string id = req.get_param_value("id");
    const int count = static_cast<int>(catalogue.songs().size());
    int n = 0;
    try {
      size_t used = 0;
      n = std::stoi(id, &used);
      if (used != id.size()) n = 0;
    } catch (const std::exception&) {
    }
    if (n < 1 || n > count) {
      res.status = 404;
      return;
    }
    const Song& song = catalogue.songs()[n - 1];
    const auto own = songFaults.find(n);
    if (own != songFaults.end()) {
      fault = own->second;
      if (fault == Fault::kSlow) SleepUnlessStopping(kSlowSeconds * 1000);
    }
    Answer(res, song.bytes, song.contentType, fault);
  } else if (page == "about.html") {
    Answer(res, AboutPage(), "text/html; charset=utf-8", fault);
  } else {
    res.status = 404;
  }
}

}  // namespace
}  // namespace catalogue_service

int main(int argc, char** argv) {
  using namespace catalogue_service;
  const Options options = ParseOptions(argc, argv);
  if (!options.log.empty()) DetachInto(options.log);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);

  std::vector<Song> songs = options.music.empty() ? BuiltInSongs() : LoadMusicFolder(options.music);
  if (songs.empty()) {
    std::fprintf(stderr, "catalogue-service: no .mp3 or .wav file in %s\n", options.music.c_str());
    return 1;
  }
  for (const auto& [song, title] : options.songTitles) {
    if (song < 1 || song > static_cast<int>(songs.size())) Usage("no song " + std::to_string(song));
    songs[song - 1].title = title;
  }
  Catalogue catalogue(std::move(songs));

  // Signals are taken by one thread of their own; the server's threads never see them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  httplib::Server server;
  // Address reuse only: the library's default would let a second service share the port.
  server.set_socket_options([](int sock) {
    const int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
  });
  const auto stop = [&server] {
    if (g_stopping.exchange(true)) return;
    server.stop();
    // Ends the process even if a connection keeps a worker busy.
    std::thread([] {
      std::this_thread::sleep_for(std::chrono::seconds(3));
      std::_Exit(0);
    }).detach();
  };

  // Threads to spare for slow and trickling answers, and no idle connection holding one: a
  // busy service must still answer the next client at once.
  server.new_task_queue = [] { return new httplib::ThreadPool(32); };
  server.set_keep_alive_max_count(1);
  server.set_logger([](const httplib::Request& req, const httplib::Response& res) {
    std::printf("%s %s -> %d\n", req.method.c_str(), req.target.c_str(), res.status);
  });
  // Before the pages: the first matching pattern wins.
  server.Get("/ping", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("ok\n", "text/plain");
  });
  if (options.allowShutdown) {
    server.Get("/shutdown", [&](const httplib::Request&, httplib::Response& res) {
      res.set_content("bye\n", "text/plain");
      std::thread(stop).detach();
    });
  }
  // How often each page was asked for (the home page as ""), so a test can tell that a request
  // really reached the site: /requests?page=list.ashx.
  std::mutex countLock;
  std::map<std::string, long> pageRequests;
  server.Get("/requests", [&](const httplib::Request& req, httplib::Response& res) {
    std::lock_guard<std::mutex> hold(countLock);
    res.set_content(std::to_string(pageRequests[req.get_param_value("page")]) + "\n", "text/plain");
  });
  server.Get(R"(^(?:/fault/([a-z0-9-]+))?/([A-Za-z0-9.]*)$)",
             [&](const httplib::Request& req, httplib::Response& res) {
               {
                 std::lock_guard<std::mutex> hold(countLock);
                 ++pageRequests[req.matches[2].str()];
               }
               Fault fault = options.fault;
               if (req.matches[1].matched) {
                 const auto chosen = ParseFault(req.matches[1].str());
                 if (!chosen) {
                   res.status = 404;
                   return;
                 }
                 fault = *chosen;
               }
               Serve(catalogue, req, res, fault, req.matches[2].str(), options.songFaults);
             });

  std::thread([&stopSignals, &stop] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    stop();
  }).detach();
  if (options.exitAfterSeconds > 0) {
    std::thread([&stop, seconds = options.exitAfterSeconds] {
      std::this_thread::sleep_for(std::chrono::seconds(seconds));
      stop();
    }).detach();
  }

  if (!server.bind_to_port(options.host.c_str(), options.port)) {
    std::fprintf(stderr, "catalogue-service: cannot listen on %s:%d\n", options.host.c_str(),
                 options.port);
    return 1;
  }
  std::printf("catalogue-service: %zu songs on http://%s:%d/\n", catalogue.songs().size(),
              options.host.c_str(), options.port);
  server.listen_after_bind();
  return 0;
}
