#include "tests/support/catalogue_service.h"

#include <winsock2.h>  // before anything that brings in windows.h

#include <algorithm>
#include <cstdlib>

#include "catalogue/http_get.h"
#include "tests/support/observe.h"

namespace testing_support {
namespace {

std::string WindowsPath(std::string unixPath) {
  std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
  return "Z:" + unixPath;
}

bool Answers(const std::string& base) { return !catalogue::HttpGet(base + "ping", 2000).empty(); }

// Whether anything listens on the loopback port. Unlike an unanswered request, a refused
// connection also tells a free port from a busy service.
bool Listening(int port) {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  if (!started) return false;
  const SOCKET sock = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (sock == INVALID_SOCKET) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool connected =
      connect(sock, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  closesocket(sock);
  return connected;
}

std::string LoopbackBase(int port) { return "http://127.0.0.1:" + std::to_string(port) + "/"; }

std::string LogFile(int port) {
  return std::string(CATALOGUE_SERVICE_LOG_DIR) + "/catalogue-service-" + std::to_string(port) +
         ".log";
}

}  // namespace

int CataloguePort() {
  if (const char* lane = std::getenv("VELORY_CATALOGUE_PORT")) return std::atoi(lane);
  return BUILD_CATALOGUE_PORT;
}

std::string CatalogueBaseUrl() { return LoopbackBase(CataloguePort()); }

bool StopCatalogueService(int port) {
  if (!Listening(port)) return true;
  catalogue::HttpGet(LoopbackBase(port) + "shutdown", 5000);
  return WaitFor([&] { return !Listening(port); }, 10000);
}

CatalogueService::CatalogueService(int port, const std::string& extraArguments) : port_(port) {
  const std::string base = BaseUrl();
  StopCatalogueService(port);
  // Wine hands a Unix program to the system without a process handle; the service ends itself
  // on /shutdown, and after a while in any case.
  const std::string log = LogFile(port);
  // The arguments (titles among them) are UTF-8, and reach the service so through the W call.
  std::wstring command =
      Wide(WindowsPath(CATALOGUE_SERVICE_UNIX) + " --port " + std::to_string(port) +
           " --testing --allow-shutdown --exit-after 300 --log " + log + " " + extraArguments);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    return;
  }
  if (pi.hProcess) CloseHandle(pi.hProcess);
  if (pi.hThread) CloseHandle(pi.hThread);
  ready_ = WaitFor([&] { return Answers(base); }, 15000);
}

CatalogueService::~CatalogueService() { StopCatalogueService(port_); }

long CatalogueService::Requests(const std::string& page) const {
  const std::vector<uint8_t> body = catalogue::HttpGet(BaseUrl() + "requests?page=" + page, 5000);
  if (body.empty()) return -1;
  return std::strtol(std::string(body.begin(), body.end()).c_str(), nullptr, 10);
}

std::string CatalogueService::BaseUrl(const std::string& fault) const {
  std::string base = LoopbackBase(port_);
  if (!fault.empty()) base += "fault/" + fault + "/";
  return base;
}

std::string CatalogueService::LogPath() const { return WindowsPath(LogFile(port_)); }

}  // namespace testing_support
