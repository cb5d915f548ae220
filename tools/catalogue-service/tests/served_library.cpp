#include "tests/served_library.h"

namespace catalogue_service {
namespace {

Options ServingOptions() {
  Options o;
  o.trustForwardedFor = true;
  return o;
}

}  // namespace

ServedLibrary::ServedLibrary(const std::string& music, const std::string& index, DoorLimits limits)
    : options_(ServingOptions()),
      store_(index),
      scanner_({music}),
      catalogue_((scanner_.Scan(store_), store_)),
      server_(limits),
      http_(
          options_, catalogue_, scanner_.roots(), [] {}, [] {}) {
  http_.Install(server_);
  server_.set_logger([](const httplib::Request&, const httplib::Response&) {});
  port_ = server_.bind_to_any_port("127.0.0.1");
  server_.WidenBacklog();
  thread_ = std::thread([this] { server_.listen_after_bind(); });
}

ServedLibrary::~ServedLibrary() {
  server_.stop();
  thread_.join();
}

httplib::Result ServedLibrary::Get(const std::string& target, const httplib::Headers& headers) {
  httplib::Client client("127.0.0.1", port_);
  client.set_read_timeout(10, 0);
  return client.Get(target.c_str(), headers);
}

std::string ServedLibrary::List(const std::string& listener) {
  const httplib::Headers from = {{"X-Forwarded-For", listener}};
  auto home = Get("/", from);
  if (!home) return std::string();
  const std::string mark = "list.ashx?rnd=";
  const size_t at = home->body.find(mark);
  if (at == std::string::npos) return std::string();
  auto list = Get("/" + home->body.substr(at, mark.size() + 16), from);
  return list ? list->body : std::string();
}

std::string ServedLibrary::FirstId() {
  const std::string list = List("first-id"), mark = "mp3: 'mp3.ashx?id=";
  const size_t at = list.find(mark);
  if (at == std::string::npos) return std::string();
  const size_t start = at + mark.size();
  return list.substr(start, list.find('\'', start) - start);
}

}  // namespace catalogue_service
