#include "catalogue/source_catalogue.h"

#include "build_settings.h"
#include "catalogue/song_titles.h"

namespace catalogue {

void SourceCatalogue::Use(const MusicSource& source) {
  source_ = source;
  folder_ = FolderCatalogue();
  if (source.kind == MusicSource::Kind::kFolder) folder_.Scan(source.value);
}

void SourceCatalogue::Use(const MusicSource& source, FolderCatalogue scanned) {
  source_ = source;
  folder_ = std::move(scanned);
}

std::string SourceCatalogue::SiteAddress() const {
  switch (source_.kind) {
    case MusicSource::Kind::kAddress:
      return ToUtf8(source_.value);
    case MusicSource::Kind::kFolder:
      return {};
    case MusicSource::Kind::kBuiltIn:
      break;
  }
  return build_settings::kCatalogueBaseUrl;
}

void SourceCatalogue::Fetch(HWND songList) {
  fetchedNothing_ = false;
  const LRESULT before = SendMessageW(songList, LB_GETCOUNT, 0, 0);
  FetchFrom(songList);
  // The header alone is no song either.
  fetchedNothing_ = SendMessageW(songList, LB_GETCOUNT, 0, 0) - before <= 1;
}

void SourceCatalogue::FetchFrom(HWND songList) {
  if (source_.kind != MusicSource::Kind::kFolder) {
    FetchCatalogue(songList, SiteAddress());
    return;
  }
  songTitles.BeginBatch();
  folder_.FetchBatch(
      [songList](const std::string& entry) {
        SendMessageW(songList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromUtf8(entry).c_str()));
      },
      [](const std::string& address, std::wstring title) {
        songTitles.Keep(address, std::move(title));
      });
}

SourceCatalogue& ProgramCatalogue() {
  static SourceCatalogue catalogue;
  return catalogue;
}

}  // namespace catalogue
