#include "sqlite_store.h"

namespace catalogue_service {
namespace {

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
      throw std::runtime_error(std::string("index: ") + sqlite3_errmsg(db));
    }
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  sqlite3_stmt* get() { return stmt_; }
  bool Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
      throw std::runtime_error(std::string("index: ") + sqlite3_errmsg(sqlite3_db_handle(stmt_)));
    }
    return rc == SQLITE_ROW;
  }
  void Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
  std::string Text(int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return text ? std::string(text, sqlite3_column_bytes(stmt_, column)) : std::string();
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

void BindText(sqlite3_stmt* stmt, int at, const std::string& text) {
  sqlite3_bind_text(stmt, at, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

}  // namespace

SqliteStore::SqliteStore(const std::string& file) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(
      file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  db_.reset(db);
  if (rc != SQLITE_OK) {
    throw std::runtime_error("index " + file + ": " + (db ? sqlite3_errmsg(db) : "no memory"));
  }
  sqlite3_busy_timeout(db, 5000);
  Exec("PRAGMA journal_mode=WAL");
  Exec("PRAGMA synchronous=NORMAL");
  Exec(
      "CREATE TABLE IF NOT EXISTS tracks ("
      " id INTEGER PRIMARY KEY AUTOINCREMENT, path TEXT NOT NULL UNIQUE, size INTEGER NOT NULL,"
      " mtime_ns INTEGER NOT NULL, title TEXT NOT NULL, album TEXT NOT NULL,"
      " seconds INTEGER NOT NULL)");
}

void SqliteStore::Exec(const char* sql) {
  char* error = nullptr;
  if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error ? error : "unknown error";
    sqlite3_free(error);
    throw std::runtime_error("index: " + message);
  }
}

std::unordered_map<std::string, FileStamp> SqliteStore::Stamps() {
  std::lock_guard<std::mutex> hold(lock_);
  std::unordered_map<std::string, FileStamp> out;
  Statement select(db_.get(), "SELECT path, id, size, mtime_ns FROM tracks");
  while (select.Step()) {
    out.emplace(select.Text(0), FileStamp{sqlite3_column_int64(select.get(), 1),
                                          sqlite3_column_int64(select.get(), 2),
                                          sqlite3_column_int64(select.get(), 3)});
  }
  return out;
}

void SqliteStore::Apply(const std::vector<Track>& changed, const std::vector<int64_t>& removed) {
  std::lock_guard<std::mutex> hold(lock_);
  Exec("BEGIN IMMEDIATE");
  try {
    // An existing path keeps its id, so a listener's addresses stay good across a change.
    Statement upsert(db_.get(),
                     "INSERT INTO tracks (path, size, mtime_ns, title, album, seconds)"
                     " VALUES (?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT(path) DO UPDATE SET"
                     " size=excluded.size, mtime_ns=excluded.mtime_ns, title=excluded.title,"
                     " album=excluded.album, seconds=excluded.seconds");
    for (const Track& t : changed) {
      BindText(upsert.get(), 1, t.path);
      sqlite3_bind_int64(upsert.get(), 2, t.size);
      sqlite3_bind_int64(upsert.get(), 3, t.mtimeNs);
      BindText(upsert.get(), 4, t.title);
      BindText(upsert.get(), 5, t.album);
      sqlite3_bind_int(upsert.get(), 6, t.seconds);
      upsert.Step();
      upsert.Reset();
    }
    Statement remove(db_.get(), "DELETE FROM tracks WHERE id = ?1");
    for (int64_t id : removed) {
      sqlite3_bind_int64(remove.get(), 1, id);
      remove.Step();
      remove.Reset();
    }
    Exec("COMMIT");
  } catch (...) {
    sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

std::vector<int64_t> SqliteStore::Ids() {
  std::lock_guard<std::mutex> hold(lock_);
  std::vector<int64_t> out;
  Statement select(db_.get(), "SELECT id FROM tracks ORDER BY id");
  while (select.Step()) out.push_back(sqlite3_column_int64(select.get(), 0));
  return out;
}

std::vector<Track> SqliteStore::Find(const std::vector<int64_t>& ids) {
  std::lock_guard<std::mutex> hold(lock_);
  std::vector<Track> out;
  Statement select(db_.get(),
                   "SELECT id, path, size, mtime_ns, title, album, seconds FROM tracks"
                   " WHERE id = ?1");
  for (int64_t id : ids) {
    sqlite3_bind_int64(select.get(), 1, id);
    if (select.Step()) {
      out.push_back({sqlite3_column_int64(select.get(), 0), select.Text(1),
                     sqlite3_column_int64(select.get(), 2), sqlite3_column_int64(select.get(), 3),
                     select.Text(4), select.Text(5), sqlite3_column_int(select.get(), 6)});
    }
    select.Reset();
  }
  return out;
}

}  // namespace catalogue_service
