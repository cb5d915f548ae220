#include "catalogue/catalogue_client.h"

#include <string_view>

#include "catalogue/http_get.h"
#include "catalogue/message_pump.h"
#include "catalogue/song_titles.h"

namespace catalogue {

std::string songAddress;

namespace {

// The home page's reference to its list script, which must end a line with CR.
constexpr std::string_view kListRefLeft = "<script type=\"text/javascript\" src=\"list.ashx?rnd=";
constexpr std::string_view kListRefRight = "\"></script>\r";
// One song record of the list, and the start of its address inside the record.
constexpr std::string_view kRecordLeft = "{title: '";
constexpr std::string_view kRecordRight = "',m4a: 'mp3.ashx?id=";
constexpr std::string_view kAddressMarker = "', mp3: '";

}  // namespace

void FetchCatalogue(const std::string& baseUrl, const HttpFunction& get,
                    const AppendFunction& append, PumpFunction pump,
                    const TitleFunction& keepTitle) {
  const std::string page = BodyText(get(baseUrl));
  const std::vector<std::string_view> tokens =
      ExtractPieces(page, kListRefLeft, kListRefRight, pump);
  if (tokens.empty()) return;

  // The markers are ASCII, so the records are cut from the UTF-8 bytes as they came.
  const std::string list = BodyText(get(baseUrl + "list.ashx?rnd=" + std::string(tokens.front())));
  const std::vector<std::string_view> records =
      ExtractPieces(list, kRecordLeft, kRecordRight, pump);

  append(kSongListHeader);
  int songs = 0;
  for (const std::string_view record : records) {
    const size_t at = record.find(kAddressMarker);
    // A record without the address marker holds no address to play: leave it out.
    if (at == std::string_view::npos) continue;
    songAddress = baseUrl;
    songAddress += record.substr(at + kAddressMarker.size());
    append(songAddress);
    // The title is what the record holds before its address.
    if (keepTitle && songs++ < kTitlesPerBatch)
      keepTitle(songAddress, CleanTitle(FromUtf8(record.substr(0, at))));
  }

  get(baseUrl);
}

void FetchCatalogue(HWND songList, const std::string& baseUrl) {
  const auto append = [songList](const std::string& entry) {
    SendMessageW(songList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromUtf8(entry).c_str()));
  };
  songTitles.BeginBatch();
  FetchCatalogue(
      baseUrl, [](const std::string& url) { return HttpGet(url); }, append,
      ProcessPendingMessagesEveryFewMs,
      [](const std::string& address, std::wstring title) {
        songTitles.Keep(address, std::move(title));
      });
}

}  // namespace catalogue
