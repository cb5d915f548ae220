// The marker extractor on arbitrary markers and sources, and the whole fetch on an arbitrary
// home page and song list, with the titles it keeps.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "catalogue/catalogue_client.h"
#include "catalogue/http_get.h"
#include "catalogue/message_pump.h"
#include "catalogue/song_titles.h"
#include "catalogue/text_routines.h"
#include "tests/fuzz/fuzz_check.h"

// What the fetch's own Win32 form needs to link; the fuzzer drives the testable form only.
namespace catalogue {
std::vector<uint8_t> HttpGet(const std::string&, DWORD) { return {}; }
void ProcessPendingMessages() {}
void ProcessPendingMessagesEveryFewMs() {}
}  // namespace catalogue
LRESULT SendMessageW(HWND, UINT, WPARAM, LPARAM) { return 0; }

namespace {

int g_pumps = 0;
void CountPump() { ++g_pumps; }

void CheckExtraction(const std::string& source, const std::string& left, const std::string& right) {
  std::vector<std::string> copied{"stale"};
  g_pumps = 0;
  const int count = catalogue::ExtractBetween(source, left, right, copied, CountPump);
  FUZZ_CHECK(count == static_cast<int>(copied.size()));
  FUZZ_CHECK(g_pumps >= count);
  const std::vector<std::string_view> views =
      catalogue::ExtractPieces(source, left, right, nullptr);
  FUZZ_CHECK(views.size() == copied.size());
  const char* previousEnd = source.data();
  for (size_t i = 0; i < views.size(); ++i) {
    const std::string_view piece = views[i];
    FUZZ_CHECK(piece == copied[i]);
    FUZZ_CHECK(!piece.empty() && piece.front() != ' ' && piece.back() != ' ');
    // In order, inside the source, each after a left marker.
    FUZZ_CHECK(piece.data() >= previousEnd);
    FUZZ_CHECK(piece.data() + piece.size() <= source.data() + source.size());
    FUZZ_CHECK(std::string_view(source.data(), piece.data() - source.data()).find(left) !=
               std::string_view::npos);
    previousEnd = piece.data() + piece.size();
  }
}

// A kept title is one line of plain text, short, without blanks at its ends.
void CheckTitle(const std::wstring& title) {
  FUZZ_CHECK(title.size() <= catalogue::kTitleMaxUnits);
  FUZZ_CHECK(title.empty() || (title.front() != L' ' && title.back() != L' '));
  for (size_t i = 0; i < title.size(); ++i) {
    const wchar_t c = title[i];
    FUZZ_CHECK(c >= 0x20 && !(c >= 0x7F && c < 0xA0));
    // Never a pair cut in half.
    if (c >= 0xD800 && c <= 0xDBFF) FUZZ_CHECK(i + 1 < title.size());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string left = input.ConsumeRandomLengthString(16);
  const std::string right = input.ConsumeRandomLengthString(16);
  const std::string home = input.ConsumeRandomLengthString(4096);
  const std::string list = input.ConsumeRemainingBytesAsString();
  CheckExtraction(list, left, right);

  const std::string base = "http://catalogue.test/";
  int requests = 0;
  std::vector<std::string> entries;
  catalogue::FetchCatalogue(
      base,
      [&](const std::string& url) {
        ++requests;
        const std::string& body = url == base ? home : list;
        return std::vector<uint8_t>(body.begin(), body.end());
      },
      [&](const std::string& entry) { entries.push_back(entry); }, nullptr,
      [&](const std::string& address, std::wstring title) {
        FUZZ_CHECK(!entries.empty() && entries.back() == address);
        CheckTitle(title);
      });
  CheckTitle(catalogue::CleanTitle(catalogue::FromUtf8(list)));
  FUZZ_CHECK(requests == (entries.empty() ? 1 : 3));
  if (!entries.empty()) {
    FUZZ_CHECK(entries.front() == catalogue::kSongListHeader);
    for (size_t i = 1; i < entries.size(); ++i) FUZZ_CHECK(entries[i].rfind(base, 0) == 0);
  }
  return 0;
}
