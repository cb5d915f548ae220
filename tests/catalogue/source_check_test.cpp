// The check a chosen source passes before it is kept: each way a folder or an address can fail,
// and the songs a good one holds.
#include "catalogue/source_check.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

namespace {

using catalogue::MusicSource;
using catalogue::SourceVerdict;
using Kind = catalogue::MusicSource::Kind;

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(SourceCheck, AFolderMustExistAndHoldAPlayableFile) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring root =
      std::wstring(temp) + L"velory-check-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(root.c_str(), nullptr);
  const auto check = [](const std::wstring& path, catalogue::FolderCatalogue* scanned = nullptr) {
    return catalogue::CheckSource({Kind::kFolder, path}, nullptr, scanned);
  };
  EXPECT_EQ(check(root + L"\\none").verdict, SourceVerdict::kNoFolder);
  EXPECT_EQ(check(root).verdict, SourceVerdict::kNothingPlayable);
  const std::wstring notes = root + L"\\notes.txt", song = root + L"\\歌.flac";
  for (const std::wstring& file : {notes, song}) {
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  EXPECT_EQ(check(notes).verdict, SourceVerdict::kNoFolder) << "a file is no folder";
  catalogue::FolderCatalogue scanned;
  const catalogue::SourceCheck good = check(root, &scanned);
  EXPECT_EQ(good.verdict, SourceVerdict::kFine);
  EXPECT_EQ(good.songs, 1u);
  EXPECT_EQ(scanned.size(), 1u) << "the files read are handed on";
  DeleteFileW(notes.c_str());
  DeleteFileW(song.c_str());
  RemoveDirectoryW(root.c_str());
}

TEST(SourceCheck, AnAddressMustAnswerWithASongList) {
  const std::wstring base = L"http://192.168.1.5/";
  const std::string home = "<script type=\"text/javascript\" src=\"list.ashx?rnd=T\"></script>\r\n";
  const std::string song = "{title: 'A', mp3: 'mp3.ashx?id=1',m4a: 'mp3.ashx?id=1'}";
  struct Case {
    std::map<std::string, std::string> pages;
    SourceVerdict verdict;
    size_t songs;
  };
  const Case cases[] = {
      {{}, SourceVerdict::kNoAnswer, 0},  // refused, or nothing in time: no answer at all
      {{{"http://192.168.1.5/", "<html>garbage</html>"}}, SourceVerdict::kNoList, 0},
      {{{"http://192.168.1.5/", home}, {"http://192.168.1.5/list.ashx?rnd=T", "[]"}},
       SourceVerdict::kNoList,
       0},
      {{{"http://192.168.1.5/", home}, {"http://192.168.1.5/list.ashx?rnd=T", song + song}},
       SourceVerdict::kFine,
       2},
  };
  for (const Case& c : cases) {
    const catalogue::SourceCheck check = catalogue::CheckSource(
        {Kind::kAddress, base},
        [&](const std::string& url) {
          const auto page = c.pages.find(url);
          return page == c.pages.end() ? std::vector<uint8_t>() : Bytes(page->second);
        },
        nullptr);
    EXPECT_EQ(check.verdict, c.verdict) << c.pages.size();
    EXPECT_EQ(check.songs, c.songs) << c.pages.size();
  }
  EXPECT_EQ(catalogue::CheckSource({}, nullptr, nullptr).verdict, SourceVerdict::kNotASource);
}

}  // namespace
