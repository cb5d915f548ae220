// Cost of reading a song list: the marker extraction and the address cut, next to a plain
// substring scan of the same text, at 1,000, 10,000 and 100,000 records; the message pump's
// own cost apart.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue_client.h"
#include "catalogue/message_pump.h"
#include "catalogue/text_routines.h"

namespace {

constexpr std::string_view kRecordLeft = "{title: '";
constexpr std::string_view kRecordRight = "',m4a: 'mp3.ashx?id=";

void NoPump() {}

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Best of `runs`, in milliseconds.
double Time(int runs, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const double start = NowMs();
    work();
    best = std::min(best, NowMs() - start);
  }
  return best;
}

// About 150 bytes a record in UTF-8, like the catalogue's own lists.
std::string Utf8List(int records) {
  const std::string title =
      reinterpret_cast<const char*>(u8"晨光 Morning Light (现场版 remastered) 经典老歌 演唱会 第");
  const std::string titleEnd = reinterpret_cast<const char*>(u8"首 \\'live\\'");
  std::string list = "var songs = [\r\n";
  for (int i = 1; i <= records; ++i) {
    const std::string id = std::to_string(i);
    list += "{title: '" + title + id + titleEnd + "', mp3: 'mp3.ashx?id=" + id +
            "',m4a: 'mp3.ashx?id=" + id + "'},\r\n";
  }
  return list + "];\r\n";
}

size_t CountOccurrences(std::string_view text, std::string_view what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

void Measure(int records) {
  const std::string utf8 = Utf8List(records);
  const std::string gbk = catalogue::Utf8ToGbk(utf8);
  const int runs = records >= 100000 ? 3 : 10;
  std::vector<std::string> pieces;
  size_t found = 0;

  const double scan = Time(runs, [&] { found = CountOccurrences(gbk, kRecordLeft); });
  const double extract = Time(
      runs, [&] { catalogue::ExtractBetween(gbk, kRecordLeft, kRecordRight, pieces, NoPump); });
  // The whole fetch without the network: conversion, extraction and the address cut.
  const std::string home = "<script type=\"text/javascript\" src=\"list.ashx?rnd=t\"></script>\r\n";
  size_t appended = 0;
  const double fetch = Time(runs, [&] {
    appended = 0;
    catalogue::FetchCatalogue(
        "http://127.0.0.1/",
        [&](const std::string& url) {
          const std::string& body = url.find("list.ashx") != std::string::npos ? utf8 : home;
          return std::vector<uint8_t>(body.begin(), body.end());
        },
        [&](const std::string&) { ++appended; }, NoPump);
  });
  const double convert = Time(runs, [&] { catalogue::Utf8ToGbk(utf8); });
  const double pumped = Time(runs, [&] {
    catalogue::ExtractBetween(gbk, kRecordLeft, kRecordRight, pieces,
                              catalogue::ProcessPendingMessages);
  });

  std::printf(
      "%7d records %6.2f MB  scan %7.2f ms  extract %7.2f ms (x%.1f, %5.0f ns/record)"
      "  fetch %7.2f ms (conversion %6.2f)  pump %7.2f ms (%4.2f us/pass)\n",
      records, utf8.size() / 1e6, scan, extract, extract / scan, 1e6 * extract / records, fetch,
      convert, pumped - extract, 1e3 * (pumped - extract) / records);
  if (found != static_cast<size_t>(records) || pieces.size() != static_cast<size_t>(records) ||
      appended != static_cast<size_t>(records) + 1) {
    std::printf("  unexpected counts: scan %zu, pieces %zu, appended %zu\n", found, pieces.size(),
                appended);
  }
}

}  // namespace

int main() {
  std::printf(
      "scan: a plain substring search for every record start; extract: the marker extraction\n"
      "(pump a no-op); fetch: the whole fetch with canned answers, conversion from UTF-8\n"
      "included; pump: what the real message pump adds to the extraction. Best of several runs;\n"
      "sizes are of the UTF-8 list.\n");
  for (int records : {1000, 10000, 100000}) Measure(records);
  return 0;
}
