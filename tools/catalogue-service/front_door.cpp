#include "front_door.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace catalogue_service {
namespace {

using Clock = std::chrono::steady_clock;

bool WaitFor(int sock, short events, int seconds) {
  pollfd p{sock, events, 0};
  int rc;
  do {
    rc = poll(&p, 1, seconds * 1000);
  } while (rc < 0 && errno == EINTR);
  return rc > 0 && !(p.revents & (POLLERR | POLLNVAL));
}

void Address(const sockaddr_storage& a, std::string& ip, int& port) {
  char text[INET6_ADDRSTRLEN] = {};
  if (a.ss_family == AF_INET) {
    const auto* v4 = reinterpret_cast<const sockaddr_in*>(&a);
    inet_ntop(AF_INET, &v4->sin_addr, text, sizeof(text));
    port = ntohs(v4->sin_port);
  } else if (a.ss_family == AF_INET6) {
    const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&a);
    inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof(text));
    port = ntohs(v6->sin6_port);
  }
  ip = text;
}

// One connection as the library's request code reads and writes it, with deadlines.
class DoorStream : public httplib::Stream {
 public:
  DoorStream(int sock, const DoorLimits& limits) : sock_(sock), limits_(limits) {}

  bool is_readable() const override {
    return start_ < end_ || WaitFor(sock_, POLLIN, limits_.readSeconds);
  }
  bool is_writable() const override { return WaitFor(sock_, POLLOUT, limits_.writeSeconds); }

  ssize_t read(char* ptr, size_t size) override {
    if (start_ == end_) {
      if (!WaitFor(sock_, POLLIN, limits_.readSeconds)) return -1;
      const ssize_t n = recv(sock_, buffer_, sizeof(buffer_), 0);
      if (n <= 0) return n;
      start_ = 0;
      end_ = static_cast<size_t>(n);
    }
    const size_t n = std::min(size, end_ - start_);
    std::memcpy(ptr, buffer_ + start_, n);
    start_ += n;
    return static_cast<ssize_t>(n);
  }

  ssize_t write(const char* ptr, size_t size) override {
    size_t sent = 0;
    while (sent < size) {
      if (!WaitFor(sock_, POLLOUT, limits_.writeSeconds)) return -1;
      const ssize_t n = send(sock_, ptr + sent, size - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      if (n <= 0) return -1;
      sent += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(sent);
  }

  void get_remote_ip_and_port(std::string& ip, int& port) const override {
    sockaddr_storage a{};
    socklen_t len = sizeof(a);
    if (getpeername(sock_, reinterpret_cast<sockaddr*>(&a), &len) == 0) Address(a, ip, port);
  }
  void get_local_ip_and_port(std::string& ip, int& port) const override {
    sockaddr_storage a{};
    socklen_t len = sizeof(a);
    if (getsockname(sock_, reinterpret_cast<sockaddr*>(&a), &len) == 0) Address(a, ip, port);
  }
  int socket() const override { return sock_; }

 private:
  int sock_;
  const DoorLimits& limits_;
  char buffer_[4096];
  size_t start_ = 0, end_ = 0;
};

}  // namespace

FrontDoorServer::FrontDoorServer(DoorLimits limits)
    : limits_(limits),
      epoll_(epoll_create1(EPOLL_CLOEXEC)),
      wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      workers_(std::make_unique<httplib::ThreadPool>(limits.workers)) {
  // The library's own pool only hands connections over.
  new_task_queue = [] { return new httplib::ThreadPool(2); };
  set_payload_max_length(64 * 1024);
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = wake_;
  epoll_ctl(epoll_, EPOLL_CTL_ADD, wake_, &event);
  room_ = std::thread([this] { WaitingRoom(); });
}

FrontDoorServer::~FrontDoorServer() {
  ending_ = true;
  const uint64_t one = 1;
  if (::write(wake_, &one, sizeof(one)) < 0) { /* the room also ends on its next pass */
  }
  room_.join();
  workers_->shutdown();
  for (const auto& [sock, deadline] : deadlines_) ::close(sock);
  ::close(epoll_);
  ::close(wake_);
}

void FrontDoorServer::WidenBacklog() { ::listen(svr_sock_, SOMAXCONN); }

bool FrontDoorServer::process_and_close_socket(int sock) {
  if (ending_ || waitingCount_ >= limits_.waitingMax) {
    Close(sock);
    return false;
  }
  {
    std::lock_guard<std::mutex> hold(lock_);
    deadlines_[sock] = Clock::now() + std::chrono::seconds(limits_.headSeconds);
  }
  ++waitingCount_;
  epoll_event event{};
  event.events = EPOLLIN | EPOLLRDHUP | EPOLLET;
  event.data.fd = sock;
  epoll_ctl(epoll_, EPOLL_CTL_ADD, sock, &event);
  return true;
}

void FrontDoorServer::Close(int sock) {
  shutdown(sock, SHUT_RDWR);
  ::close(sock);
}

void FrontDoorServer::WaitingRoom() {
  std::vector<epoll_event> events(256);
  std::vector<char> peek(limits_.headMaxBytes);
  auto nextSweep = Clock::now();
  while (!ending_) {
    const int n = epoll_wait(epoll_, events.data(), static_cast<int>(events.size()), 200);
    for (int i = 0; i < n; ++i) {
      const int sock = events[i].data.fd;
      if (sock == wake_) continue;
      const ssize_t got = recv(sock, peek.data(), peek.size(), MSG_PEEK | MSG_DONTWAIT);
      if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      const bool complete =
          got > 0 && memmem(peek.data(), static_cast<size_t>(got), "\r\n\r\n", 4) != nullptr;
      const bool tooLong = got > 0 && static_cast<size_t>(got) >= peek.size() && !complete;
      if (!complete && !tooLong && got > 0) continue;  // more of the head to come
      epoll_ctl(epoll_, EPOLL_CTL_DEL, sock, nullptr);
      {
        std::lock_guard<std::mutex> hold(lock_);
        deadlines_.erase(sock);
      }
      --waitingCount_;
      if (complete) {
        workers_->enqueue([this, sock] { Answer(sock); });
      } else {
        if (tooLong) {
          static const char kTooLong[] =
              "HTTP/1.1 431 Request Header Fields Too Large\r\nContent-Length: 0\r\n"
              "Connection: close\r\n\r\n";
          send(sock, kTooLong, sizeof(kTooLong) - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
        }
        Close(sock);
      }
    }
    const auto now = Clock::now();
    if (now < nextSweep) continue;
    nextSweep = now + std::chrono::milliseconds(250);
    std::lock_guard<std::mutex> hold(lock_);
    for (auto it = deadlines_.begin(); it != deadlines_.end();) {
      if (it->second > now) {
        ++it;
        continue;
      }
      epoll_ctl(epoll_, EPOLL_CTL_DEL, it->first, nullptr);
      Close(it->first);
      --waitingCount_;
      it = deadlines_.erase(it);
    }
  }
}

void FrontDoorServer::Answer(int sock) {
  DoorStream stream(sock, limits_);
  bool closed = false;
  // Ranges are the song handler's own business: the library would cut them a second time.
  process_request(stream, true, closed, [](httplib::Request& req) { req.ranges.clear(); });
  Close(sock);
}

}  // namespace catalogue_service
