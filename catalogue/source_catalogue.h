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
  // The same with the folder already read (a folder source's files, empty for a site).
  void Use(const MusicSource& source, FolderCatalogue scanned);
  const MusicSource& source() const { return source_; }
  // The site's address (ending in "/"); empty for a folder.
  std::string SiteAddress() const;
  // Appends a batch to `songList`, as FetchCatalogue does, from the source in use.
  void Fetch(HWND songList);
  // The last fetch brought no song (the site did not answer, or the folder holds none); false
  // before the first fetch and while one runs.
  bool fetchedNothing() const { return fetchedNothing_; }
  // The songs a folder source holds; 0 for a site.
  size_t folderSongs() const { return folder_.size(); }

 private:
  void FetchFrom(HWND songList);

  MusicSource source_;
  FolderCatalogue folder_;
  bool fetchedNothing_ = false;
};

// The program's one catalogue.
SourceCatalogue& ProgramCatalogue();

}  // namespace catalogue
