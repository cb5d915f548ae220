#include "tests/postgres_cluster.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace catalogue_service {
namespace {

namespace fs = std::filesystem;

std::string ServerFolder() {
  std::error_code error;
  for (const auto& version : fs::directory_iterator("/usr/lib/postgresql", error)) {
    if (fs::exists(version.path() / "bin/initdb")) return (version.path() / "bin").string();
  }
  return std::string();
}

}  // namespace

PostgresCluster::PostgresCluster() : bin_(ServerFolder()) {
  if (bin_.empty()) {
    problem_ = "PostgreSQL is not installed (Debian's postgresql package)";
    return;
  }
  std::string pattern = "/tmp/catalogue-pg-XXXXXX";
  if (!mkdtemp(pattern.data())) {
    problem_ = "no temporary folder";
    return;
  }
  folder_ = pattern;
  if (geteuid() == 0) {
    const passwd* user = getpwnam("postgres");
    if (!user || chown(folder_.c_str(), user->pw_uid, user->pw_gid) != 0) {
      problem_ = "no postgres user to run the server as";
      return;
    }
  }
  const int port = 20000 + getpid() % 20000;
  if (std::system(Run(bin_ + "/initdb -N -A trust -U postgres -E UTF8 --locale=C -D " + folder_ +
                      "/data >" + folder_ + "/initdb.log 2>&1")
                      .c_str()) != 0) {
    problem_ = "initdb failed, see " + folder_ + "/initdb.log";
    return;
  }
  started_ =
      std::system(Run(bin_ + "/pg_ctl -w -D " + folder_ + "/data -o \"-p " + std::to_string(port) +
                      " -k " + folder_ + " -c listen_addresses='' -c fsync=off\" -l " + folder_ +
                      "/log start >/dev/null")
                      .c_str()) == 0;
  if (!started_) {
    problem_ = "the server did not start, see " + folder_ + "/log";
    return;
  }
  connection_ =
      "host=" + folder_ + " port=" + std::to_string(port) + " user=postgres dbname=postgres";
}

PostgresCluster::~PostgresCluster() {
  if (started_) {
    std::system(
        Run(bin_ + "/pg_ctl -w -m immediate -D " + folder_ + "/data stop >/dev/null").c_str());
  }
  std::error_code error;
  if (!folder_.empty() && problem_.empty()) fs::remove_all(folder_, error);
}

std::string PostgresCluster::Run(const std::string& command) const {
  return geteuid() == 0 ? "runuser -u postgres -- " + command : command;
}

}  // namespace catalogue_service
