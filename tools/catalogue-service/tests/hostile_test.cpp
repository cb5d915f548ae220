// Clients that hold connections open, never read, or send nonsense: the others are still
// answered, and what the hostile ones held is let go.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

#include "tests/library_maker.h"
#include "tests/served_library.h"

namespace catalogue_service {
namespace {

int Connect(int port) {
  const int sock = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(sock, reinterpret_cast<sockaddr*>(&a), sizeof(a)) != 0) {
    close(sock);
    return -1;
  }
  return sock;
}

std::string Exchange(int port, const std::string& request) {
  const int sock = Connect(port);
  send(sock, request.data(), request.size(), MSG_NOSIGNAL);
  std::string answer;
  char buffer[4096];
  for (ssize_t n; (n = recv(sock, buffer, sizeof(buffer), 0)) > 0;) answer.append(buffer, n);
  close(sock);
  return answer;
}

TEST(Hostile, HalfOpenSilentAndMalformedClientsDoNotStopTheOthers) {
  TempFolder temp;
  MakeSong(temp.path() + "/m/big.wav", "Big", "", 60.0);  // about a megabyte
  DoorLimits limits;
  limits.workers = 4;
  limits.headSeconds = 2;
  limits.writeSeconds = 1;
  ServedLibrary served(temp.path() + "/m", temp.path() + "/index.sqlite", limits);
  const std::string song = "/mp3.ashx?id=" + served.FirstId();

  // A thousand connections that send half a head, and four that ask for the song and never
  // read: as many as there are workers.
  std::vector<int> held;
  for (int i = 0; i < 1000; ++i) {
    const int sock = Connect(served.port());
    ASSERT_GE(sock, 0) << i;
    send(sock, "GET / HTTP/1.1\r\nHost: x\r\n", 25, MSG_NOSIGNAL);
    held.push_back(sock);
  }
  for (int i = 0; i < 4; ++i) {
    const int sock = Connect(served.port());
    const int small = 4096;
    setsockopt(sock, SOL_SOCKET, SO_RCVBUF, &small, sizeof(small));
    const std::string ask = "GET " + song + " HTTP/1.1\r\nHost: x\r\n\r\n";
    send(sock, ask.data(), ask.size(), MSG_NOSIGNAL);
    held.push_back(sock);
  }
  const auto start = std::chrono::steady_clock::now();
  auto ping = served.Get("/ping");
  ASSERT_TRUE(ping);
  EXPECT_EQ(ping->body, "ok\n");
  auto home = served.Get("/");
  ASSERT_TRUE(home);
  EXPECT_EQ(home->status, 200);
  // At most one write deadline: the silent readers' workers are freed by then.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));

  // Malformed requests get a clear answer and the connection closed.
  EXPECT_EQ(Exchange(served.port(), "NONSENSE\r\n\r\n").rfind("HTTP/1.1 400", 0), 0u);
  EXPECT_EQ(Exchange(served.port(), "GET / HTTP/1.1\r\n" + std::string(20000, 'x'))
                .rfind("HTTP/1.1 431", 0),
            0u);

  // The half-open ones are dropped at the head's deadline: nothing waits any more.
  EXPECT_GE(served.server().waiting(), 900u);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (served.server().waiting() > 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(served.server().waiting(), 0u);
  char byte;
  EXPECT_EQ(recv(held[0], &byte, 1, 0), 0);  // closed by the service
  for (int sock : held) close(sock);
}

}  // namespace
}  // namespace catalogue_service
