#include "http_service.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <thread>

#include "pages.h"
#include "song_answer.h"

namespace catalogue_service {
namespace {

constexpr int kSlowSeconds = 20;
constexpr int kTrickleIntervalMs = 250;
constexpr size_t kBigBodyBytes = 50u << 20;
const char kHtml[] = "text/html; charset=utf-8";

std::atomic<bool>& Stopping() {
  static std::atomic<bool> stopping{false};
  return stopping;
}

// Sleeps in small steps so a stopping service is not held up.
void SleepUnlessStopping(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!Stopping() && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

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
                                 return !Stopping() && sink.write(shared->data() + offset, 1);
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

int64_t SongId(const std::string& text) {
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
    return 0;
  return std::stoll(text);
}

}  // namespace

bool IsLoopback(const std::string& address) {
  return address.rfind("127.", 0) == 0 || address == "::1" || address.rfind("::ffff:127.", 0) == 0;
}

std::string NewToken() {
  thread_local std::mt19937_64 random{std::random_device{}()};
  char text[17];
  std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(random()));
  return text;
}

bool IsToken(const std::string& text) {
  return text.size() == 16 && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

HttpService::HttpService(const Options& options, Catalogue& catalogue,
                         std::vector<std::string> roots, std::function<void()> rescan,
                         std::function<void()> stop)
    : options_(options),
      catalogue_(catalogue),
      roots_(std::move(roots)),
      rescan_(std::move(rescan)),
      stop_(std::move(stop)) {}

std::string HttpService::Listener(const httplib::Request& req) const {
  if (options_.trustForwardedFor && req.has_header("X-Forwarded-For")) {
    const std::string chain = req.get_header_value("X-Forwarded-For");
    const size_t comma = chain.rfind(',');
    std::string last = comma == std::string::npos ? chain : chain.substr(comma + 1);
    last.erase(0, last.find_first_not_of(' '));
    if (!last.empty() && last.size() < 64) return last;
  }
  return req.remote_addr;
}

void HttpService::Install(httplib::Server& server) {
  server.set_logger([](const httplib::Request& req, const httplib::Response& res) {
    std::printf("%s %s -> %d\n", req.method.c_str(), req.target.c_str(), res.status);
  });
  // Before the pages: the first matching pattern wins.
  server.Get("/ping", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("ok\n", "text/plain");
  });
  server.Post("/admin/rescan", [this](const httplib::Request& req, httplib::Response& res) {
    if (!IsLoopback(req.remote_addr)) {
      res.status = 403;
      return;
    }
    rescan_();
    res.status = 202;
    res.set_content("rescan started\n", "text/plain");
  });
  if (options_.allowShutdown) {
    server.Get("/shutdown", [this](const httplib::Request&, httplib::Response& res) {
      res.set_content("bye\n", "text/plain");
      Stopping() = true;
      std::thread(stop_).detach();
    });
  }
  if (options_.testing) {
    // How often each page was asked for (the home page as ""), so a test can tell that a
    // request really reached the site: /requests?page=list.ashx.
    server.Get("/requests", [this](const httplib::Request& req, httplib::Response& res) {
      std::lock_guard<std::mutex> hold(countLock_);
      const auto it = pageRequests_.find(req.get_param_value("page"));
      res.set_content(std::to_string(it == pageRequests_.end() ? 0 : it->second) + "\n",
                      "text/plain");
    });
  }
  server.Get(R"(^(?:/fault/([a-z0-9-]+))?/([A-Za-z0-9.]*)$)",
             [this](const httplib::Request& req, httplib::Response& res) {
               const std::string page = req.matches[2].str();
               Fault fault = options_.fault;
               if (req.matches[1].matched) {
                 const auto chosen =
                     options_.testing ? ParseFault(req.matches[1].str()) : std::optional<Fault>();
                 if (!chosen) {
                   res.status = 404;
                   return;
                 }
                 fault = *chosen;
               }
               if (options_.testing && (page.empty() || page == "list.ashx" || page == "mp3.ashx" ||
                                        page == "about.html")) {
                 std::lock_guard<std::mutex> hold(countLock_);
                 ++pageRequests_[page];
               }
               Serve(req, res, fault, page);
             });
}

void HttpService::Serve(const httplib::Request& req, httplib::Response& res, Fault fault,
                        const std::string& page) {
  if (fault == Fault::kSlow) SleepUnlessStopping(kSlowSeconds * 1000);
  if (page.empty()) {
    res.set_header("Cache-Control", "no-store");
    Answer(res, HomePage(NewToken(), fault), kHtml, fault);
  } else if (page == "list.ashx") {
    res.set_header("Cache-Control", "no-store");
    std::string body;
    if (IsToken(req.get_param_value("rnd"))) {
      std::vector<ListEntry> batch = catalogue_.Batch(Listener(req), fault);
      for (ListEntry& entry : batch) {
        const auto own = options_.songTitles.find(static_cast<int>(entry.id));
        if (own != options_.songTitles.end()) entry.title = own->second;
      }
      body = ListScript(batch, fault);
    }
    Answer(res, std::move(body), "application/javascript; charset=utf-8", fault);
  } else if (page == "mp3.ashx") {
    ServeSong(req, res, fault);
  } else if (page == "about.html") {
    Answer(res, AboutPage(), kHtml, fault);
  } else {
    res.status = 404;
  }
}

void HttpService::ServeSong(const httplib::Request& req, httplib::Response& res, Fault fault) {
  const int64_t id = SongId(req.get_param_value("id"));
  const std::optional<SongSource> song = id > 0 ? catalogue_.Find(id) : std::nullopt;
  if (!song) {
    res.status = 404;
    return;
  }
  const auto own = options_.songFaults.find(static_cast<int>(id));
  if (own != options_.songFaults.end()) {
    fault = own->second;
    if (fault == Fault::kSlow) SleepUnlessStopping(kSlowSeconds * 1000);
  }
  if (song->bytes && fault != Fault::kNone && fault != Fault::kSlow) {
    Answer(res, *song->bytes, song->contentType, fault);
  } else if (!AnswerSong(req, res, *song, roots_)) {
    res.status = 404;
  }
}

}  // namespace catalogue_service
