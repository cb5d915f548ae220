// Figures, not pass or fail: the scan of a large generated library, a rescan with nothing
// changed, list latency under 200 concurrent clients, streaming against a plain copy over
// loopback. Run by scripts/bench-service, which also starts the service and reads its memory.
//
//   catalogue-service-bench make TEMPLATE DIR COUNT   tagged copies of one small song
//   catalogue-service-bench scan DIR INDEX             the first scan and a rescan
//   catalogue-service-bench list PORT CLIENTS EACH [PAUSE_MS]
//                                                     list latency p50 and p99; each client
//                                                     pauses between requests when told
//   catalogue-service-bench stream PORT ID FILE        the service against a plain copy
#include <arpa/inet.h>
#include <fcntl.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/sendfile.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "scanner.h"
#include "sqlite_store.h"

namespace {

using namespace catalogue_service;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

int Make(const std::string& templateFile, const std::string& dir, int count) {
  std::ifstream in(templateFile, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto start = Clock::now();
  for (int i = 0; i < count; ++i) {
    const std::string folder = dir + "/" + std::to_string(i / 1000) + "/" + std::to_string(i / 100);
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/song " + std::to_string(i) + ".mp3";
    std::ofstream(path, std::ios::binary) << bytes;
    TagLib::FileRef file(path.c_str());
    file.tag()->setTitle("Song " + std::to_string(i));
    file.tag()->setArtist("Artist " + std::to_string(i % 500));
    file.tag()->setAlbum("Album " + std::to_string(i / 12));
    file.save();
  }
  std::printf("made %d tagged files in %.1f s\n", count, Since(start));
  return 0;
}

int Scan(const std::string& dir, const std::string& index) {
  std::filesystem::remove(index);
  SqliteStore store(index);
  Scanner scanner({dir});
  ScanReport first = scanner.Scan(store);
  std::printf("first scan: %ld files indexed in %.2f s\n", first.added, first.seconds);
  ScanReport again = scanner.Scan(store);
  std::printf("rescan, nothing changed: %ld files in %.2f s (goal: at most 2 s)\n", again.unchanged,
              again.seconds);
  return 0;
}

int List(int port, int clients, int each, int pauseMs) {
  std::vector<std::vector<double>> times(clients);
  std::vector<std::thread> threads;
  const auto start = Clock::now();
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&, c] {
      httplib::Client client("127.0.0.1", port);
      const std::string target = "/list.ashx?rnd=0123456789abcdef";
      for (int i = 0; i < each; ++i) {
        const auto sent = Clock::now();
        auto res = client.Get(target.c_str(), {{"X-Forwarded-For", "10.0." + std::to_string(c)}});
        if (res && res->status == 200) times[c].push_back(Since(sent) * 1000);
        if (pauseMs) std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
      }
    });
  }
  for (auto& t : threads) t.join();
  std::vector<double> all;
  for (auto& t : times) all.insert(all.end(), t.begin(), t.end());
  std::sort(all.begin(), all.end());
  if (all.empty()) return 1;
  std::printf(
      "list with %d concurrent clients%s: %zu answers in %.1f s, p50 %.2f ms, p99 %.2f ms (goal: "
      "p99 at most 20 ms)\n",
      clients,
      pauseMs ? (", each pausing " + std::to_string(pauseMs) + " ms").c_str() : ", none pausing",
      all.size(), Since(start), all[all.size() / 2], all[all.size() * 99 / 100]);
  return 0;
}

// Reads everything from a connection to /dev/null; the bytes per second.
double Drain(int sock) {
  static char buffer[1 << 16];
  const auto start = Clock::now();
  size_t total = 0;
  for (ssize_t n; (n = recv(sock, buffer, sizeof(buffer), 0)) > 0;) total += n;
  return total / Since(start);
}

int Connect(int port) {
  const int sock = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return connect(sock, reinterpret_cast<sockaddr*>(&a), sizeof(a)) == 0 ? sock : -1;
}

int Stream(int port, const std::string& id, const std::string& file) {
  double service = 0, plain = 0;
  for (int round = 0; round < 3; ++round) {
    const int sock = Connect(port);
    const std::string ask = "GET /mp3.ashx?id=" + id + " HTTP/1.1\r\nHost: x\r\n\r\n";
    send(sock, ask.data(), ask.size(), 0);
    service = std::max(service, Drain(sock));
    close(sock);

    // The plain copy: the same file sent whole with sendfile by a bare loopback server.
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof(a));
    socklen_t len = sizeof(a);
    getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);
    listen(listener, 1);
    std::thread sender([&] {
      const int out = accept(listener, nullptr, nullptr);
      const int in = open(file.c_str(), O_RDONLY);
      struct stat st {};
      fstat(in, &st);
      off_t offset = 0;
      while (offset < st.st_size && sendfile(out, in, &offset, st.st_size - offset) > 0) {
      }
      close(in);
      close(out);
    });
    const int plainSock = Connect(ntohs(a.sin_port));
    plain = std::max(plain, Drain(plainSock));
    close(plainSock);
    sender.join();
    close(listener);
  }
  std::printf(
      "streaming: the service %.0f MB/s, a plain copy %.0f MB/s: %.0f %% (goal: at least 80 %%)\n",
      service / 1e6, plain / 1e6, 100 * service / plain);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> a(argv + 1, argv + argc);
  if (a.size() == 4 && a[0] == "make") return Make(a[1], a[2], std::stoi(a[3]));
  if (a.size() == 3 && a[0] == "scan") return Scan(a[1], a[2]);
  if ((a.size() == 4 || a.size() == 5) && a[0] == "list")
    return List(std::stoi(a[1]), std::stoi(a[2]), std::stoi(a[3]),
                a.size() == 5 ? std::stoi(a[4]) : 0);
  if (a.size() == 4 && a[0] == "stream") return Stream(std::stoi(a[1]), a[2], a[3]);
  std::fprintf(stderr, "usage: see the top of bench.cpp\n");
  return 2;
}
