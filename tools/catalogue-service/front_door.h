// The HTTP server with a waiting room in front: a connection reaches a worker only once its
// whole request head has arrived, so a client that connects and sends nothing, or sends it a
// byte at a time, costs a descriptor and no thread. The head has a deadline and a size limit;
// the answer has a write deadline, so a client that stops reading frees its worker soon.
#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace catalogue_service {

struct DoorLimits {
  size_t workers = 128;
  size_t headMaxBytes = 16 * 1024;
  int headSeconds = 10;   // from connecting to the end of the head
  int readSeconds = 5;    // a body, once the head is in
  int writeSeconds = 10;  // without any progress while answering
  size_t waitingMax = 20000;
};

class FrontDoorServer : public httplib::Server {
 public:
  explicit FrontDoorServer(DoorLimits limits);
  ~FrontDoorServer() override;
  FrontDoorServer(const FrontDoorServer&) = delete;
  FrontDoorServer& operator=(const FrontDoorServer&) = delete;

  // After binding: the library listens with a backlog of 5, which drops connections (and
  // makes clients wait a second to try again) as soon as a few arrive at once.
  void WidenBacklog();

  // Connections waiting for their head, for tests and the log.
  size_t waiting() const { return waitingCount_; }

 private:
  // Called on the library's accept pool: hands the connection to the waiting room.
  bool process_and_close_socket(int sock) override;
  void WaitingRoom();
  void Answer(int sock);
  void Close(int sock);

  DoorLimits limits_;
  int epoll_ = -1;
  int wake_ = -1;  // an eventfd that ends the waiting room
  std::atomic<bool> ending_{false};
  std::atomic<size_t> waitingCount_{0};
  std::mutex lock_;
  std::unordered_map<int, std::chrono::steady_clock::time_point> deadlines_;
  std::unique_ptr<httplib::ThreadPool> workers_;
  std::thread room_;
};

}  // namespace catalogue_service
