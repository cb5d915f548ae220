#include "library_catalogue.h"

#include <algorithm>

#include "tag_reader.h"

namespace catalogue_service {

LibraryCatalogue::LibraryCatalogue(IndexStore& store)
    : store_(store), songs_(std::make_shared<Songs>()) {
  Refresh();
}

void LibraryCatalogue::Refresh() {
  auto fresh = std::make_shared<Songs>();
  std::vector<Track> tracks = store_.Find(store_.Ids());
  std::sort(tracks.begin(), tracks.end(),
            [](const Track& a, const Track& b) { return a.id < b.id; });
  for (Track& t : tracks) {
    fresh->ids.push_back(t.id);
    fresh->titles.push_back(std::move(t.title));
  }
  std::lock_guard<std::mutex> hold(lock_);
  songs_ = std::move(fresh);
}

std::shared_ptr<const LibraryCatalogue::Songs> LibraryCatalogue::songs() {
  std::lock_guard<std::mutex> hold(lock_);
  return songs_;
}

size_t LibraryCatalogue::Count() { return songs()->ids.size(); }

std::vector<ListEntry> LibraryCatalogue::Batch(const std::string& listener, Fault) {
  const auto all = songs();
  std::vector<ListEntry> out;
  for (size_t rank : decks_.Next(listener, all->ids.size(), kBatchSongs)) {
    out.push_back({all->ids[rank], all->titles[rank]});
  }
  return out;
}

std::optional<SongSource> LibraryCatalogue::Find(int64_t id) {
  std::vector<Track> found = store_.Find({id});
  if (found.empty()) return std::nullopt;
  SongSource song;
  song.path = found[0].path;
  song.contentType = ContentTypeOf(song.path);
  return song;
}

}  // namespace catalogue_service
