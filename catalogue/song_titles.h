// Song titles as the catalogue sends them, kept beside their addresses. A title is data from the
// network: it is cleaned into one line of plain text and cut short before anything keeps it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace catalogue {

// The longest title kept, in UTF-16 units (as long as 40 Chinese characters), with the mark that
// ends a cut one.
inline constexpr size_t kTitleMaxUnits = 40;
// Titles are kept for this many records of a batch; only the first nine are ever shown.
inline constexpr int kTitlesPerBatch = 100;

// A record's title as shown: the list script's escapes undone, control characters turned into
// blanks, blanks at both ends removed, and a title longer than kTitleMaxUnits cut (never inside
// a surrogate pair) and ended with "…".
std::wstring CleanTitle(std::wstring_view raw);

// Titles by song address, of the last batch that brought any.
class SongTitles {
 public:
  // A fetch begins: the titles it brings replace the kept ones, once it brings the first.
  void BeginBatch() { replacing_ = true; }
  // The first title of an address in a batch is the one kept.
  void Keep(const std::string& address, std::wstring title);
  // Empty when the song has none or is not known.
  std::wstring Of(const std::string& address) const;

 private:
  std::unordered_map<std::string, std::wstring> titles_;
  bool replacing_ = false;
};

// The program's titles, filled by the program's fetch.
extern SongTitles songTitles;

}  // namespace catalogue
