// Whether a music source the user chose holds music, before it is kept: a folder must hold a
// playable file, an address must answer with a song list. The window keeps answering meanwhile.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/folder_catalogue.h"
#include "catalogue/music_source.h"

namespace catalogue {

// The longest wait for each of an address's answers.
inline constexpr DWORD kSourceCheckDeadlineMs = 5000;

enum class SourceVerdict {
  kFine,
  kNotASource,       // neither an absolute folder nor an http(s) address ending in "/"
  kNoFolder,         // the folder does not exist (or is no folder)
  kNothingPlayable,  // the folder holds no file the player plays
  kNoAnswer,         // the address refused, or said nothing in time
  kNoList,           // the address answered, but with no song list
  kEnding,           // the program began to end during the check
};

struct SourceCheck {
  SourceVerdict verdict = SourceVerdict::kNotASource;
  size_t songs = 0;  // the songs found, for a verdict of kFine
};

// The same `get` as the catalogue client's: given an absolute address, the whole body or empty.
using CheckGet = std::function<std::vector<uint8_t>(const std::string& url)>;

// Checks the source; a folder is read on a worker thread (its files are left in `scanned`, so
// that they need not be read again), an address through `get`.
SourceCheck CheckSource(const MusicSource& source, const CheckGet& get, FolderCatalogue* scanned);

// The program's check: real HTTP with kSourceCheckDeadlineMs for each answer.
SourceCheck CheckSource(const MusicSource& source, FolderCatalogue* scanned);

}  // namespace catalogue
