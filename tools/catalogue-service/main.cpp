// The catalogue service: a music library served in the catalogue's wire format.
//
//   catalogue-service --music DIR [--music DIR]... [--data DIR] [--host ADDR] [--port N]
//                     [--postgres CONNINFO] [--no-scan] [--rescan-minutes N] [--workers N]
//                     [--trust-forwarded-for] [--log FILE]
//
//   /                  home page; its list reference carries a fresh token
//   /list.ashx?rnd=T   nine songs drawn for this listener; no song twice until all have come
//   /mp3.ashx?id=N     song N, with byte ranges and HEAD
//   /about.html        the author page
//   /ping              "ok" (for harnesses and load balancers)
//   POST /admin/rescan a scan now, asked from this machine only; SIGHUP does the same
//
// With --testing (the player's tests pass it): without --music the twelve generated tones
// instead of a library, and the test switches --fault, --song-fault, --song-title,
// --exit-after, --allow-shutdown, the /fault/NAME/ addresses and /requests?page=P (see
// faults.h). A normal start refuses them.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "fixture_catalogue.h"
#include "front_door.h"
#include "http_service.h"
#include "library_catalogue.h"
#include "options.h"
#include "postgres_store.h"
#include "rescanner.h"
#include "sqlite_store.h"

namespace catalogue_service {
namespace {

// Output to the log file, nothing else inherited kept open (a test harness that starts the
// service must not be kept waiting for them).
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

// Waiting connections each hold a descriptor: allow as many as the system lets us.
void RaiseDescriptorLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
  }
}

std::unique_ptr<IndexStore> OpenStore(const Options& o) {
  if (!o.postgres.empty()) return std::make_unique<PostgresStore>(o.postgres, !o.scan);
  std::error_code error;
  std::filesystem::create_directories(o.data, error);
  chmod(o.data.c_str(), 0700);
  return std::make_unique<SqliteStore>(o.data + "/index.sqlite");
}

int Run(const Options& options) {
  // Signals are taken by one thread of their own; the server's threads never see them.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  signal(SIGPIPE, SIG_IGN);
  RaiseDescriptorLimit();

  std::unique_ptr<IndexStore> store;
  std::unique_ptr<Scanner> scanner;
  std::unique_ptr<Catalogue> catalogue;
  std::unique_ptr<Rescanner> rescanner;
  std::vector<std::string> roots;
  if (options.music.empty()) {
    catalogue = std::make_unique<FixtureCatalogue>();
  } else {
    try {
      store = OpenStore(options);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "catalogue-service: %s\n", e.what());
      return 1;
    }
    scanner = std::make_unique<Scanner>(options.music);
    if (scanner->roots().empty()) return 1;
    roots = scanner->roots();
    auto library = std::make_unique<LibraryCatalogue>(*store);
    rescanner =
        std::make_unique<Rescanner>(options.scan ? scanner.get() : nullptr, *store, *library,
                                    options.scan ? options.rescanMinutes * 60 : 30);
    rescanner->RunOnce();
    catalogue = std::move(library);
  }

  DoorLimits limits;
  limits.workers = static_cast<size_t>(options.workers);
  FrontDoorServer server(limits);
  // Address reuse only: the library's default would let a second service share the port.
  server.set_socket_options([](int sock) {
    const int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
  });
  std::atomic<bool> stopping{false};
  const auto stop = [&server, &stopping] {
    if (stopping.exchange(true)) return;
    server.stop();
    // Ends the process even if a connection keeps a worker busy.
    std::thread([] {
      std::this_thread::sleep_for(std::chrono::seconds(3));
      std::_Exit(0);
    }).detach();
  };
  HttpService http(
      options, *catalogue, roots,
      [&] {
        if (rescanner) rescanner->Request();
      },
      stop);
  http.Install(server);

  std::thread([&] {
    for (;;) {
      int signal = 0;
      sigwait(&signals, &signal);
      if (signal != SIGHUP) break;
      if (rescanner) rescanner->Request();
    }
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
  server.WidenBacklog();
  std::printf("catalogue-service: %zu songs on http://%s:%d/\n", catalogue->Count(),
              options.host.c_str(), options.port);
  server.listen_after_bind();
  std::_Exit(0);  // the signal thread still waits; nothing is left to flush but stdout
}

}  // namespace
}  // namespace catalogue_service

int main(int argc, char** argv) {
  using namespace catalogue_service;
  const Options options = ParseOptions(argc, argv);
  if (!options.log.empty()) DetachInto(options.log);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  return Run(options);
}
