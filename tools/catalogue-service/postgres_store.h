// The shared index: a PostgreSQL table that one scanning instance writes and any number of
// serving instances read.
#pragma once

#include <libpq-fe.h>

#include <memory>
#include <mutex>
#include <string>

#include "index_store.h"

namespace catalogue_service {

class PostgresStore : public IndexStore {
 public:
  // Connects (a libpq connection string); a writer makes the table when it is missing. Throws
  // std::runtime_error when it cannot.
  PostgresStore(const std::string& connection, bool readOnly);

  std::unordered_map<std::string, FileStamp> Stamps() override;
  void Apply(const std::vector<Track>& changed, const std::vector<int64_t>& removed) override;
  std::vector<int64_t> Ids() override;
  std::vector<Track> Find(const std::vector<int64_t>& ids) override;

 private:
  struct Closer {
    void operator()(PGconn* c) const { PQfinish(c); }
  };
  struct ResultCloser {
    void operator()(PGresult* r) const { PQclear(r); }
  };
  using Result = std::unique_ptr<PGresult, ResultCloser>;

  // Runs one statement with text parameters; throws unless it succeeded.
  Result Run(const char* sql, const std::vector<std::string>& params = {});

  std::mutex lock_;
  std::unique_ptr<PGconn, Closer> conn_;
};

}  // namespace catalogue_service
