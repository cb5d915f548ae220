// A folder of the user's own files as a catalogue: its playable files, read on a worker thread,
// handed out in batches of nine drawn at random.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "catalogue/catalogue_client.h"
#include "catalogue/music_source.h"

namespace catalogue {

// Every playable file in the folder and its sub-folders, in no set order. Folders reached
// through links are left out (they could lead back up). Stops early, with what it found, once
// `cancel` is set.
std::vector<std::wstring> ListPlayableFiles(const std::wstring& root,
                                            const std::atomic<bool>& cancel);

class FolderCatalogue {
 public:
  FolderCatalogue();
  // Reads the folder on a worker thread while this thread's window processes its messages.
  // False when the program began to end meanwhile; then the files found so far are kept.
  bool Scan(const std::wstring& folder);
  size_t size() const { return files_.size(); }
  // The header and up to nine songs' paths (UTF-8), each song's title given to `keepTitle`;
  // nothing at all when the folder held no playable file.
  void FetchBatch(const AppendFunction& append, const TitleFunction& keepTitle);

 private:
  std::vector<std::wstring> files_;
  SongDeck deck_;
};

}  // namespace catalogue
