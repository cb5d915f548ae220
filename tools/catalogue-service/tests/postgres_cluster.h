// A throw-away PostgreSQL server for the tests: its own cluster in a temporary folder, on a
// loopback port and a socket in that folder, run as the postgres user when the tests run as
// root (the server refuses root), stopped and removed with the object.
#pragma once

#include <string>

namespace catalogue_service {

class PostgresCluster {
 public:
  PostgresCluster();
  ~PostgresCluster();
  PostgresCluster(const PostgresCluster&) = delete;
  PostgresCluster& operator=(const PostgresCluster&) = delete;

  // Empty when the server is not installed or did not start; then why.
  const std::string& connection() const { return connection_; }
  const std::string& problem() const { return problem_; }

 private:
  std::string Run(const std::string& command) const;

  std::string folder_, bin_, connection_, problem_;
  bool started_ = false;
};

}  // namespace catalogue_service
