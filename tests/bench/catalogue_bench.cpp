// Cost of reading a song list: the marker extraction and the address cut, next to a plain
// substring scan of the same text, at 1,000, 10,000 and 100,000 records; the conversion from
// UTF-8 and the message pump's own cost apart.
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
  const std::string& gbk = utf8;  // the records are cut from the UTF-8 bytes as they came
  const int runs = records >= 100000 ? 10 : 30;
  std::vector<std::string> pieces;
  std::vector<std::string_view> views;
  size_t found = 0;

  const double scan = Time(runs, [&] { found = CountOccurrences(gbk, kRecordLeft); });
  const double extract =
      Time(runs, [&] { views = catalogue::ExtractPieces(gbk, kRecordLeft, kRecordRight, NoPump); });
  const double copied = Time(
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
  const double convert = Time(runs, [&] { catalogue::FromUtf8(utf8); });
  const double everyPass = Time(std::max(1, runs / 5), [&] {
    views =
        catalogue::ExtractPieces(gbk, kRecordLeft, kRecordRight, catalogue::ProcessPendingMessages);
  });
  const double pumped = Time(runs, [&] {
    views = catalogue::ExtractPieces(gbk, kRecordLeft, kRecordRight,
                                     catalogue::ProcessPendingMessagesEveryFewMs);
  });

  std::printf(
      "%7d records %6.2f MB  scan %6.2f ms  extract %6.2f ms (x%.1f, %4.0f ns/record)"
      "  copied %6.2f ms (x%.1f)  conversion %7.2f ms (x%.1f, %4.1f ns/byte)  fetch %7.2f ms\n"
      "                          pump on every pass +%7.2f ms, every few ms +%6.2f ms\n",
      records, utf8.size() / 1e6, scan, extract, extract / scan, 1e6 * extract / records, copied,
      copied / scan, convert, convert / scan, 1e6 * convert / utf8.size(), fetch,
      everyPass - extract, pumped - extract);
  const size_t n = static_cast<size_t>(records);
  if (found != n || views.size() != n || pieces.size() != n || appended != n + 1 ||
      !std::equal(views.begin(), views.end(), pieces.begin())) {
    std::printf("  unexpected results: scan %zu, pieces %zu/%zu, appended %zu\n", found,
                views.size(), pieces.size(), appended);
  }
}

}  // namespace

int main() {
  std::printf(
      "scan: a plain substring search for every record start; extract: the marker extraction as\n"
      "the fetch uses it (views, pump a no-op); copied: the same pieces copied into strings;\n"
      "conversion: the whole list from UTF-8 to UTF-16; fetch: the whole fetch with canned\n"
      "answers, titles included; pump: what the real message pump adds to the extraction. Best of\n"
      "several runs; sizes are of the UTF-8 list.\n");
  for (int records : {1000, 10000, 100000}) Measure(records);
  return 0;
}
