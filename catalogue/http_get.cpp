#include "catalogue/http_get.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "catalogue/internet_handle.h"
#include "catalogue/pumping_wait.h"
#include "graphics/kernel_handle.h"

namespace catalogue {
namespace {

// One request, shared by the caller and the worker thread that makes the blocking calls. At the
// deadline, or when the program ends, the caller gives up and returns; the worker sees that
// between reads, or ends at the connection's own time-outs, and closes its handles itself. The
// caller never closes them: a closed handle's value may soon belong to another request, and the
// worker could still use it.
struct Request {
  Request() : finished(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

  std::mutex lock;
  graphics::KernelHandle finished;  // set once the worker is done
  bool abandoned = false;
  bool done = false;
  bool ok = false;
  std::vector<uint8_t> body;
};

bool Abandoned(Request& r) {
  std::lock_guard<std::mutex> hold(r.lock);
  return r.abandoned;
}

// A body shorter than the length the server announced was cut off on the way.
bool ShorterThanAnnounced(HINTERNET request, size_t received) {
  DWORD announced = 0;
  return AnnouncedLength(request, &announced) && received < announced;
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
  InternetHandle session(OpenSession(deadlineMs));
  if (!session) return false;
  if (Abandoned(r)) return false;
  InternetHandle request(OpenAddress(session.get(), url));
  return request && ReadWholeBody(r, request.get(), body);
}

void RunRequest(std::shared_ptr<Request> r, std::string url, DWORD deadlineMs) {
  std::vector<uint8_t> body;
  bool ok = false;
  // Nothing may leave the thread (that would end the process): out of memory, the request
  // failed.
  try {
    ok = Fetch(*r, url, deadlineMs, body);
  } catch (...) {
    body = {};
  }
  std::lock_guard<std::mutex> hold(r->lock);
  r->ok = ok;
  if (ok) r->body = std::move(body);
  r->done = true;
  SetEvent(r->finished.get());
}

}  // namespace

std::vector<uint8_t> HttpGet(const std::string& absoluteUrl, DWORD deadlineMs) {
  // A program that is ending starts no request.
  if (QuitPending()) return {};
  auto r = std::make_shared<Request>();
  if (!r->finished) return {};
  try {
    std::thread(RunRequest, r, absoluteUrl, deadlineMs).detach();
  } catch (const std::system_error&) {
    return {};
  }
  WaitForObjectProcessingMessages(r->finished.get(), deadlineMs);
  std::lock_guard<std::mutex> hold(r->lock);
  if (!r->done) {
    r->abandoned = true;
    return {};
  }
  return r->ok ? std::move(r->body) : std::vector<uint8_t>{};
}

}  // namespace catalogue
