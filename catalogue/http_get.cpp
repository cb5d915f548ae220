#include "catalogue/http_get.h"

#include <wininet.h>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace catalogue {
namespace {

// One request, shared by the caller and the worker thread that makes the blocking calls. At the
// deadline the caller gives up and returns; the worker sees that between reads, or ends at the
// connection's own time-outs, and closes its handles itself. The caller never closes them: a
// closed handle's value may soon belong to another request, and the worker could still use it.
struct Request {
  std::mutex lock;
  std::condition_variable finished;
  bool abandoned = false;
  bool done = false;
  bool ok = false;
  std::vector<uint8_t> body;
};

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
  ~InternetHandle() {
    if (handle_) InternetCloseHandle(handle_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return handle_; }

 private:
  HINTERNET handle_;
};

constexpr DWORD kOpenFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                             INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_COOKIES |
                             INTERNET_FLAG_NO_UI;

void SetTimeout(HINTERNET session, DWORD option, DWORD ms) {
  InternetSetOptionA(session, option, &ms, sizeof(ms));
}

bool Abandoned(Request& r) {
  std::lock_guard<std::mutex> hold(r.lock);
  return r.abandoned;
}

// A body shorter than the length the server announced was cut off on the way.
bool ShorterThanAnnounced(HINTERNET request, size_t received) {
  DWORD announced = 0;
  DWORD size = sizeof(announced);
  if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &announced,
                      &size, nullptr)) {
    return false;
  }
  return received < announced;
}

bool ReadWholeBody(Request& r, HINTERNET request, std::vector<uint8_t>& body) {
  uint8_t chunk[16384];
  for (;;) {
    // Asking what has arrived returns as soon as anything has, so a trickling answer comes back
    // here often enough to notice that the caller gave up; a full-sized read would wait on.
    DWORD available = 0;
    if (!InternetQueryDataAvailable(request, &available, 0, 0)) return false;
    if (available == 0) break;
    DWORD got = 0;
    const DWORD want = std::min<DWORD>(available, sizeof(chunk));
    if (!InternetReadFile(request, chunk, want, &got)) return false;
    if (got == 0) break;
    if (body.size() + got > kHttpMaxBodyBytes) return false;
    body.insert(body.end(), chunk, chunk + got);
    if (Abandoned(r)) return false;
  }
  return !ShorterThanAnnounced(request, body.size());
}

bool Fetch(Request& r, const std::string& url, DWORD deadlineMs, std::vector<uint8_t>& body) {
  InternetHandle session(InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session.get()) return false;
  SetTimeout(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, deadlineMs);
  SetTimeout(session.get(), INTERNET_OPTION_SEND_TIMEOUT, deadlineMs);
  SetTimeout(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, deadlineMs);
  if (Abandoned(r)) return false;
  InternetHandle request(InternetOpenUrlA(session.get(), url.c_str(), nullptr, 0, kOpenFlags, 0));
  return request.get() && ReadWholeBody(r, request.get(), body);
}

void RunRequest(std::shared_ptr<Request> r, std::string url, DWORD deadlineMs) {
  std::vector<uint8_t> body;
  const bool ok = Fetch(*r, url, deadlineMs, body);
  std::lock_guard<std::mutex> hold(r->lock);
  r->ok = ok;
  if (ok) r->body = std::move(body);
  r->done = true;
  r->finished.notify_all();
}

}  // namespace

std::vector<uint8_t> HttpGet(const std::string& absoluteUrl, DWORD deadlineMs) {
  auto r = std::make_shared<Request>();
  try {
    std::thread(RunRequest, r, absoluteUrl, deadlineMs).detach();
  } catch (const std::system_error&) {
    return {};
  }
  std::unique_lock<std::mutex> hold(r->lock);
  if (!r->finished.wait_for(hold, std::chrono::milliseconds(deadlineMs), [&] { return r->done; })) {
    r->abandoned = true;
    return {};
  }
  return r->ok ? std::move(r->body) : std::vector<uint8_t>{};
}

}  // namespace catalogue
