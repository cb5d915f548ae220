// The program's catalogue: the built-in site, another site, or a folder, as the music source
// names it. The play list's fetch and the start-up both take their batches from here.
#pragma once

#include <windows.h>

#include <string>

#include "catalogue/folder_catalogue.h"
#include "catalogue/music_source.h"

namespace catalogue {

class SourceCatalogue {
 public:
  // The source the next fetch uses; a folder is read now (see FolderCatalogue::Scan).
  void Use(const MusicSource& source);
  const MusicSource& source() const { return source_; }
  // The site's address (ending in "/"); empty for a folder.
  std::string SiteAddress() const;
  // Appends a batch to `songList`, as FetchCatalogue does, from the source in use.
  void Fetch(HWND songList);
  // The songs a folder source holds; 0 for a site.
  size_t folderSongs() const { return folder_.size(); }

 private:
  MusicSource source_;
  FolderCatalogue folder_;
};

// The program's one catalogue.
SourceCatalogue& ProgramCatalogue();

}  // namespace catalogue
