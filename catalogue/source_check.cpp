#include "catalogue/source_check.h"

#include "catalogue/catalogue_client.h"
#include "catalogue/http_get.h"
#include "catalogue/list_header.h"
#include "catalogue/message_pump.h"
#include "catalogue/pumping_wait.h"
#include "catalogue/text_routines.h"

namespace catalogue {

SourceCheck CheckSource(const MusicSource& source, const CheckGet& get, FolderCatalogue* scanned) {
  SourceCheck check;
  switch (source.kind) {
    case MusicSource::Kind::kBuiltIn:
      return check;
    case MusicSource::Kind::kFolder: {
      const DWORD attributes = GetFileAttributesW(source.value.c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        check.verdict = SourceVerdict::kNoFolder;
        return check;
      }
      FolderCatalogue folder;
      if (!folder.Scan(source.value)) {
        check.verdict = SourceVerdict::kEnding;
        return check;
      }
      check.songs = folder.size();
      check.verdict = check.songs ? SourceVerdict::kFine : SourceVerdict::kNothingPlayable;
      if (scanned) *scanned = std::move(folder);
      return check;
    }
    case MusicSource::Kind::kAddress:
      break;
  }
  // The home page must answer at all before its list can be looked for.
  bool answered = false;
  const auto counting = [&](const std::string& url) {
    std::vector<uint8_t> body = get(url);
    answered = answered || !body.empty();
    return body;
  };
  FetchCatalogue(
      ToUtf8(source.value), counting,
      [&check](const std::string& entry) {
        if (entry != kSongListHeader) ++check.songs;
      },
      ProcessPendingMessagesEveryFewMs);
  if (QuitPending()) {
    check.verdict = SourceVerdict::kEnding;
  } else if (check.songs) {
    check.verdict = SourceVerdict::kFine;
  } else {
    check.verdict = answered ? SourceVerdict::kNoList : SourceVerdict::kNoAnswer;
  }
  return check;
}

SourceCheck CheckSource(const MusicSource& source, FolderCatalogue* scanned) {
  return CheckSource(
      source, [](const std::string& url) { return HttpGet(url, kSourceCheckDeadlineMs); }, scanned);
}

}  // namespace catalogue
