// The player's announcements as a test reads them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// What the player announced (app/announcer.h): the lines of the file it appends to, each
// without its time stamp. A line stays, so waiting for one never misses a moment that passed
// between two looks; a count of the lines marks a moment to look after.
class Announcements {
 public:
  explicit Announcements(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }
  const std::vector<std::string>& Lines() const;  // read up to the last whole line
  size_t Count() const { return Lines().size(); }
  // The index of the first line at or after `from` that starts with `prefix`, once one has come;
  // -1 when none came in the time.
  int WaitFor(const std::string& prefix, size_t from = 0, DWORD timeoutMs = 15000) const;
  // The same for the first line the predicate takes.
  int WaitFor(const std::function<bool(const std::string&)>& wanted, size_t from = 0,
              DWORD timeoutMs = 15000) const;
  // The lines in [from, to) that start with `prefix`.
  int CountOf(const std::string& prefix, size_t from = 0, size_t to = SIZE_MAX) const;
  // The lines from `from` on, for a failure message.
  std::string Dump(size_t from = 0) const;

 private:
  std::string path_;
  mutable std::vector<std::string> lines_;
  mutable size_t readUpTo_ = 0;  // bytes of the file taken into lines_
};

}  // namespace testing_support
