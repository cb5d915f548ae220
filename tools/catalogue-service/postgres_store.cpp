#include "postgres_store.h"

#include <cstdlib>
#include <stdexcept>

namespace catalogue_service {
namespace {

// Paths are bytes, not necessarily UTF-8: kept as bytea, passed as hex.
std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

std::string Unhex(const char* hex) {
  std::string out;
  const auto value = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
  for (const char* p = hex; p[0] && p[1]; p += 2) {
    out += static_cast<char>(value(p[0]) << 4 | value(p[1]));
  }
  return out;
}

// An array literal of texts: every element quoted, quotes and backslashes escaped.
std::string TextArray(const std::vector<std::string>& items) {
  std::string out = "{";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += ',';
    out += '"';
    for (char c : items[i]) {
      if (c == '"' || c == '\\') out += '\\';
      out += c;
    }
    out += '"';
  }
  return out + "}";
}

template <typename T>
std::string NumberArray(const std::vector<T>& items) {
  std::string out = "{";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + std::to_string(items[i]);
  return out + "}";
}

int64_t Int(PGresult* r, int row, int column) {
  return std::strtoll(PQgetvalue(r, row, column), nullptr, 10);
}

}  // namespace

PostgresStore::PostgresStore(const std::string& connection, bool readOnly)
    : conn_(PQconnectdb(connection.c_str())) {
  if (!conn_ || PQstatus(conn_.get()) != CONNECTION_OK) {
    throw std::runtime_error(std::string("index: PostgreSQL: ") +
                             (conn_ ? PQerrorMessage(conn_.get()) : "no memory"));
  }
  PQsetClientEncoding(conn_.get(), "UTF8");
  if (!readOnly) {
    Run("CREATE TABLE IF NOT EXISTS tracks (id BIGSERIAL PRIMARY KEY, path BYTEA NOT NULL UNIQUE,"
        " size BIGINT NOT NULL, mtime_ns BIGINT NOT NULL, title TEXT NOT NULL,"
        " album TEXT NOT NULL, seconds INTEGER NOT NULL)");
  }
}

PostgresStore::Result PostgresStore::Run(const char* sql, const std::vector<std::string>& params) {
  // A dropped connection is tried once more before the caller hears of it.
  for (int attempt = 0;; ++attempt) {
    std::vector<const char*> values;
    for (const std::string& p : params) values.push_back(p.c_str());
    Result r(PQexecParams(conn_.get(), sql, static_cast<int>(values.size()), nullptr, values.data(),
                          nullptr, nullptr, 0));
    const ExecStatusType status = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return r;
    if (attempt == 0 && PQstatus(conn_.get()) == CONNECTION_BAD) {
      PQreset(conn_.get());
      continue;
    }
    throw std::runtime_error(std::string("index: PostgreSQL: ") + PQerrorMessage(conn_.get()));
  }
}

std::unordered_map<std::string, FileStamp> PostgresStore::Stamps() {
  std::lock_guard<std::mutex> hold(lock_);
  Result r = Run("SELECT encode(path, 'hex'), id, size, mtime_ns FROM tracks");
  std::unordered_map<std::string, FileStamp> out;
  for (int i = 0; i < PQntuples(r.get()); ++i) {
    out.emplace(Unhex(PQgetvalue(r.get(), i, 0)),
                FileStamp{Int(r.get(), i, 1), Int(r.get(), i, 2), Int(r.get(), i, 3)});
  }
  return out;
}

void PostgresStore::Apply(const std::vector<Track>& changed, const std::vector<int64_t>& removed) {
  std::lock_guard<std::mutex> hold(lock_);
  std::vector<std::string> paths, titles, albums;
  std::vector<int64_t> sizes, times, seconds;
  for (const Track& t : changed) {
    paths.push_back(Hex(t.path));
    titles.push_back(t.title);
    albums.push_back(t.album);
    sizes.push_back(t.size);
    times.push_back(t.mtimeNs);
    seconds.push_back(t.seconds);
  }
  Run("BEGIN");
  try {
    // One statement per piece, not one per file: a round trip costs more than a row.
    // An existing path keeps its id, so a listener's addresses stay good across a change.
    Run("INSERT INTO tracks (path, size, mtime_ns, title, album, seconds)"
        " SELECT decode(p, 'hex'), s, m, t, a, n FROM unnest($1::text[], $2::bigint[],"
        " $3::bigint[], $4::text[], $5::text[], $6::int[]) AS x(p, s, m, t, a, n)"
        " ON CONFLICT (path) DO UPDATE SET size = excluded.size, mtime_ns = excluded.mtime_ns,"
        " title = excluded.title, album = excluded.album, seconds = excluded.seconds",
        {TextArray(paths), NumberArray(sizes), NumberArray(times), TextArray(titles),
         TextArray(albums), NumberArray(seconds)});
    Run("DELETE FROM tracks WHERE id = ANY($1::bigint[])", {NumberArray(removed)});
    Run("COMMIT");
  } catch (...) {
    PQclear(PQexec(conn_.get(), "ROLLBACK"));
    throw;
  }
}

std::vector<int64_t> PostgresStore::Ids() {
  std::lock_guard<std::mutex> hold(lock_);
  Result r = Run("SELECT id FROM tracks ORDER BY id");
  std::vector<int64_t> out;
  for (int i = 0; i < PQntuples(r.get()); ++i) out.push_back(Int(r.get(), i, 0));
  return out;
}

std::vector<Track> PostgresStore::Find(const std::vector<int64_t>& ids) {
  std::lock_guard<std::mutex> hold(lock_);
  Result r =
      Run("SELECT id, encode(path, 'hex'), size, mtime_ns, title, album, seconds FROM tracks"
          " WHERE id = ANY($1::bigint[])",
          {NumberArray(ids)});
  std::vector<Track> out;
  for (int i = 0; i < PQntuples(r.get()); ++i) {
    out.push_back({Int(r.get(), i, 0), Unhex(PQgetvalue(r.get(), i, 1)), Int(r.get(), i, 2),
                   Int(r.get(), i, 3), PQgetvalue(r.get(), i, 4), PQgetvalue(r.get(), i, 5),
                   static_cast<int>(Int(r.get(), i, 6))});
  }
  return out;
}

}  // namespace catalogue_service
