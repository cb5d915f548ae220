// The service over real HTTP on loopback, serving a generated library: the list as the player
// reads it, songs with ranges and HEAD, and nothing from outside the music folders.
#include <gtest/gtest.h>
#include <httplib.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <thread>

#include "front_door.h"
#include "http_service.h"
#include "library_catalogue.h"
#include "scanner.h"
#include "sqlite_store.h"
#include "tests/library_maker.h"
#include "tests/served_library.h"
#include "titles.h"

namespace catalogue_service {
namespace {

namespace fs = std::filesystem;

// Records as the player cuts them: between `{title: '` and `',m4a: 'mp3.ashx?id=`, the title
// before `', mp3: '`, its escapes undone.
std::map<std::string, std::string> TitlesByAddress(const std::string& list) {
  const std::string left = "{title: '", right = "',m4a: 'mp3.ashx?id=", mark = "', mp3: '";
  std::map<std::string, std::string> out;
  for (size_t at = list.find(left); at != std::string::npos; at = list.find(left, at)) {
    const size_t start = at + left.size(), end = list.find(right, start);
    if (end == std::string::npos) break;
    const std::string record = list.substr(start, end - start);
    const size_t m = record.find(mark);
    std::string title;
    for (size_t i = 0; i < m; ++i) title += record[i] == '\\' ? record[++i] : record[i];
    out[record.substr(m + mark.size())] = title;
    at = end;
  }
  return out;
}

TEST(Serving, BatchesOfNineWithoutRepeatsAndTitlesTheParserGivesBackExactly) {
  TempFolder temp;
  const std::string longTitle(100 * 1024, 'x');
  MakeSong(temp.path() + "/m/q.wav", "it's a \"quote\" \\ back', mp3: 'x", "A");
  MakeSong(temp.path() + "/m/markup.wav", "<b>bold</b> & {title: '");
  MakeSong(temp.path() + "/m/long.wav", longTitle);
  for (int i = 0; i < 17; ++i) MakeSong(temp.path() + "/m/n/" + std::to_string(i) + ".wav");
  ServedLibrary served(temp.path() + "/m", temp.path() + "/index.sqlite");

  std::set<std::string> heard, titles;
  for (int batch = 0; batch < 2; ++batch) {
    const auto records = TitlesByAddress(served.List());
    ASSERT_EQ(records.size(), 9u);
    for (const auto& [address, title] : records) {
      EXPECT_TRUE(heard.insert(address).second) << address << " came twice";
      EXPECT_EQ(address.rfind("mp3.ashx?id=", 0), 0u);
      titles.insert(title);
    }
  }
  const auto third = TitlesByAddress(served.List());  // the last 2 of 20, then a new deck
  int fresh = 0;
  for (const auto& [address, title] : third) fresh += heard.insert(address).second;
  EXPECT_EQ(fresh, 2);
  for (const auto& [address, title] : third) titles.insert(title);
  EXPECT_EQ(heard.size(), 20u);
  EXPECT_TRUE(titles.count("A - it's a \"quote\" \\ back', mp3: 'x"));
  EXPECT_TRUE(titles.count("<b>bold</b> & {title: '"));
  EXPECT_TRUE(titles.count(longTitle.substr(0, kTitleMaxBytes)));
  // Every listener has a deck of its own; a token the service did not make gets nothing.
  EXPECT_EQ(TitlesByAddress(served.List("10.1.1.1")).size(), 9u);
  EXPECT_EQ(served.Get("/list.ashx?rnd=../../x")->body, "");
}

TEST(Serving, RangesHeadAndTypes) {
  TempFolder temp;
  MakeSong(temp.path() + "/m/song.wav", "Song", "", 1.0);
  ServedLibrary served(temp.path() + "/m", temp.path() + "/index.sqlite");
  const std::string file = ReadFile(temp.path() + "/m/song.wav");
  const std::string song = "/mp3.ashx?id=" + served.FirstId();

  auto whole = served.Get(song);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->status, 200);
  EXPECT_TRUE(whole->body == file);
  EXPECT_EQ(whole->get_header_value("Content-Type"), "audio/wav");
  EXPECT_EQ(whole->get_header_value("Accept-Ranges"), "bytes");
  const std::string total = "/" + std::to_string(file.size());
  const struct {
    const char* range;
    int status;
    size_t first, count;
    std::string contentRange;
  } cases[] = {
      {"bytes=100-199", 206, 100, 100, "bytes 100-199" + total},
      {"bytes=8000-", 206, 8000, file.size() - 8000,
       "bytes 8000-" + std::to_string(file.size() - 1) + total},
      {"bytes=-10", 206, file.size() - 10, 10,
       "bytes " + std::to_string(file.size() - 10) + "-" + std::to_string(file.size() - 1) + total},
      {"bytes=0-99999999", 206, 0, file.size(),
       "bytes 0-" + std::to_string(file.size() - 1) + total},
      {"bytes=99999999-", 416, 0, 0, "bytes */" + std::to_string(file.size())},
      {"bytes=0-1,5-6", 200, 0, file.size(), ""},
      {"pages=1-2", 416, 0, 0, ""},  // refused by the HTTP library before the handler
  };
  for (const auto& c : cases) {
    auto res = served.Get(song, {{"Range", c.range}});
    ASSERT_TRUE(res) << c.range;
    EXPECT_EQ(res->status, c.status) << c.range;
    EXPECT_TRUE(res->body == file.substr(c.first, c.count)) << c.range << ": " << res->body.size();
    EXPECT_EQ(res->get_header_value("Content-Range"), c.contentRange) << c.range;
  }
  httplib::Client client("127.0.0.1", served.port());
  auto head = client.Head(song.c_str());
  ASSERT_TRUE(head);
  EXPECT_EQ(head->status, 200);
  EXPECT_EQ(head->get_header_value("Content-Length"), std::to_string(file.size()));
  EXPECT_TRUE(head->body.empty());
}

TEST(Serving, NothingFromOutsideTheMusicFolders) {
  TempFolder temp;
  const std::string secret = "SECRET-BYTES-" + std::string(100, 's');
  WriteFile(temp.path() + "/secret.txt", secret);
  MakeSong(temp.path() + "/outside.wav", "Outside");
  MakeSong(temp.path() + "/m/in.wav", "In");
  MakeSong(temp.path() + "/m/swapped.wav", "Swapped");
  fs::create_symlink(temp.path() + "/outside.wav", temp.path() + "/m/out.wav");
  ServedLibrary served(temp.path() + "/m", temp.path() + "/index.sqlite");
  EXPECT_EQ(served.Count(), 2u);
  // An indexed song replaced by a link out after the scan.
  std::string swappedId;
  for (const auto& [address, title] : TitlesByAddress(served.List())) {
    if (title == "Swapped") swappedId = address.substr(address.find('=') + 1);
  }
  ASSERT_FALSE(swappedId.empty());
  fs::remove(temp.path() + "/m/swapped.wav");
  fs::create_symlink(temp.path() + "/secret.txt", temp.path() + "/m/swapped.wav");

  for (const std::string& target :
       {"/mp3.ashx?id=" + swappedId, std::string("/mp3.ashx?id=../secret.txt"),
        std::string("/../secret.txt"), std::string("/m/../../secret.txt"),
        std::string("/%2e%2e/secret.txt"), std::string("/mp3.ashx%2f..%2fsecret.txt"),
        std::string("/..%2fsecret.txt"), std::string("/mp3.ashx?id=-1"),
        std::string("/mp3.ashx?id=99999999999999999999"), std::string("/mp3.ashx?id=CON"),
        std::string("/mp3.ashx?id=/dev/zero"), std::string("/fault/empty/"),
        std::string("/requests?page="), std::string("/shutdown"), std::string("/secret.txt")}) {
    auto res = served.Get(target);
    ASSERT_TRUE(res) << target;
    EXPECT_EQ(res->status, 404) << target;
    EXPECT_EQ(res->body.find("SECRET"), std::string::npos) << target;
  }
}

}  // namespace
}  // namespace catalogue_service
