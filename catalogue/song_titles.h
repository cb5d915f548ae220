// Song titles as the catalogue sends them, kept beside their addresses. A title is data from the
// network: it is cleaned into one line of plain text and cut short before anything keeps it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace catalogue {

// The longest title kept, in code page 936 bytes (about 40 Chinese characters), with the mark
// that ends a cut one.
inline constexpr size_t kTitleMaxBytes = 80;
// Titles are kept for this many records of a batch; only the first nine are ever shown.
inline constexpr int kTitlesPerBatch = 100;

// A record's title as shown (code page 936 in and out): the list script's escapes undone,
// control characters turned into blanks, blanks at both ends removed, and a title longer than
// kTitleMaxBytes cut on a character boundary and ended with "…".
std::string CleanTitle(std::string_view raw);

// Titles by song address, of the last batch that brought any.
class SongTitles {
 public:
  // A fetch begins: the titles it brings replace the kept ones, once it brings the first.
  void BeginBatch() { replacing_ = true; }
  // The first title of an address in a batch is the one kept.
  void Keep(const std::string& address, std::string title);
  // Empty when the song has none or is not known.
  std::string Of(const std::string& address) const;

 private:
  std::unordered_map<std::string, std::string> titles_;
  bool replacing_ = false;
};

// The program's titles, filled by the program's fetch.
extern SongTitles songTitles;

}  // namespace catalogue
