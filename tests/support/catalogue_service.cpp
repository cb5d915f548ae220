#include "tests/support/catalogue_service.h"

#include <windows.h>

#include <algorithm>

#include "catalogue/http_get.h"
#include "tests/support/observe.h"

namespace testing_support {
namespace {

std::string WindowsPath(std::string unixPath) {
  std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
  return "Z:" + unixPath;
}

bool Answers(const std::string& base) { return !catalogue::HttpGet(base + "ping", 2000).empty(); }

std::string LoopbackBase(int port) { return "http://127.0.0.1:" + std::to_string(port) + "/"; }

}  // namespace

bool StopCatalogueService(int port) {
  const std::string base = LoopbackBase(port);
  if (!Answers(base)) return true;
  catalogue::HttpGet(base + "shutdown", 2000);
  return WaitFor([&] { return !Answers(base); }, 10000);
}

CatalogueService::CatalogueService(int port, const std::string& extraArguments) : port_(port) {
  const std::string base = BaseUrl();
  StopCatalogueService(port);
  // Wine hands a Unix program to the system without a process handle; the service ends itself
  // on /shutdown, and after a while in any case.
  const std::string log = std::string(CATALOGUE_SERVICE_LOG_DIR) + "/catalogue-service-" +
                          std::to_string(port) + ".log";
  std::string command = WindowsPath(CATALOGUE_SERVICE_UNIX) + " --port " + std::to_string(port) +
                        " --allow-shutdown --exit-after 300 --log " + log + " " + extraArguments;
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    return;
  }
  if (pi.hProcess) CloseHandle(pi.hProcess);
  if (pi.hThread) CloseHandle(pi.hThread);
  ready_ = WaitFor([&] { return Answers(base); }, 15000);
}

CatalogueService::~CatalogueService() { StopCatalogueService(port_); }

std::string CatalogueService::BaseUrl(const std::string& fault) const {
  std::string base = LoopbackBase(port_);
  if (!fault.empty()) base += "fault/" + fault + "/";
  return base;
}

}  // namespace testing_support
