// Where the songs come from: a catalogue site or a folder of the user's own files, as the
// setting file or the command line names it. No window and no file here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

struct MusicSource {
  enum class Kind { kBuiltIn, kAddress, kFolder };
  Kind kind = Kind::kBuiltIn;
  std::wstring value;  // the address or the folder; empty for the built-in address
};

// A setting longer than this is no address or path a user made: it is taken as damaged.
inline constexpr size_t kMaxSourceBytes = 4096;

// The setting's first line (UTF-8, a BOM allowed, blanks and quotes round it dropped): an http
// or https address ending in "/", or an absolute folder path (drive or network share). Anything
// else (empty, too long, not UTF-8, a relative path) is the built-in address.
MusicSource ParseSource(std::string_view text);
// The setting's text for the source: one line of UTF-8; empty for the built-in address.
std::string SourceText(const MusicSource& source);

// The kinds of file the media control plays, where the system decodes them.
bool IsPlayableFileName(std::wstring_view name);
// A song's title from its file name: the name without folder and kind.
std::wstring TitleFromFileName(std::wstring_view path);

// Draws batches from a folder's songs at random, with no song again until every one was drawn.
class SongDeck {
 public:
  explicit SongDeck(uint32_t seed) : state_(seed ? seed : 1) {}
  void Reset(size_t count);
  // Up to n indices below the count, all different; fewer only when the count is below n.
  std::vector<size_t> Draw(size_t n);
  size_t count() const { return count_; }

 private:
  uint32_t Next();
  void Shuffle();

  size_t count_ = 0;
  std::vector<size_t> order_;
  size_t used_ = 0;
  uint32_t state_;
};

}  // namespace catalogue
