// The music source: the setting's text, the file kinds, titles from names, the deck and the
// folder read.
#include "catalogue/music_source.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string>

#include "catalogue/folder_catalogue.h"
#include "catalogue/list_header.h"
#include "catalogue/tag_titles.h"

namespace {

using catalogue::MusicSource;
using Kind = catalogue::MusicSource::Kind;

Kind KindOf(const std::string& text) { return catalogue::ParseSource(text).kind; }

TEST(MusicSource, AddressesAndFoldersAreTakenAndEverythingElseIsTheBuiltInAddress) {
  EXPECT_EQ(catalogue::ParseSource("http://192.168.1.5:8080/\r\n").value,
            L"http://192.168.1.5:8080/");
  EXPECT_EQ(KindOf("HTTPS://music.example/site/"), Kind::kAddress);
  // A BOM, blanks, quotes and a trailing backslash round a path are no part of it; the second
  // line is ignored.
  const MusicSource folder = catalogue::ParseSource("\xEF\xBB\xBF  \"D:\\My Music\\\"  \nC:\\x");
  EXPECT_EQ(folder.kind, Kind::kFolder);
  EXPECT_EQ(folder.value, L"D:\\My Music");
  EXPECT_EQ(catalogue::ParseSource("E:\\").value, L"E:\\");
  EXPECT_EQ(catalogue::ParseSource("\\\\nas\\歌曲").value, L"\\\\nas\\歌曲");
  EXPECT_EQ(catalogue::ParseSource("D:\\音乐\\流行").value, L"D:\\音乐\\流行");

  for (const std::string& bad : std::vector<std::string>{
           "", "   \r\n", "http://host", "http:///", "ftp://host/", "Music", "..\\Music",
           "D:", "D:\\a|b", "http://a b/", "\xFF\xFE garbage \x80", std::string("D:\\a\0b", 6)}) {
    EXPECT_EQ(KindOf(bad), Kind::kBuiltIn) << bad;
  }
  // A megabyte of path is no setting a user wrote.
  EXPECT_EQ(KindOf("D:\\" + std::string(1 << 20, 'a')), Kind::kBuiltIn);
}

TEST(MusicSource, TheSettingTextReadsBackAsTheSameSource) {
  for (const char* text : {"D:\\音乐 和 歌", "http://127.0.0.1:8421/"}) {
    const MusicSource source = catalogue::ParseSource(text);
    const MusicSource again = catalogue::ParseSource(catalogue::SourceText(source));
    EXPECT_EQ(again.kind, source.kind);
    EXPECT_EQ(again.value, source.value);
  }
  EXPECT_EQ(catalogue::SourceText({}), "");
}

TEST(MusicSource, PlayableKindsAndTitlesFromFileNames) {
  for (const wchar_t* name :
       {L"a.mp3", L"B.MP3", L"c.wma", L"d.wav", L"e.m4a", L"f.aac", L"g.flac", L"歌 曲.ogg"}) {
    EXPECT_TRUE(catalogue::IsPlayableFileName(name)) << name;
  }
  for (const wchar_t* name : {L"cover.jpg", L"mp3", L".mp3", L"a.mp3.txt", L"list.m3u", L"x"}) {
    EXPECT_FALSE(catalogue::IsPlayableFileName(name)) << name;
  }
  EXPECT_EQ(catalogue::TitleFromFileName(L"D:\\音乐\\晨风 - 歌.v2.mp3"), L"晨风 - 歌.v2");
  EXPECT_EQ(catalogue::TitleFromFileName(L"D:/a/.hidden"), L".hidden");
  // Tags where they are, the file name where the title is missing.
  EXPECT_EQ(catalogue::SongTitle(L"晨之歌", L"晨风", L"D:\\x.mp3"), L"晨风 - 晨之歌");
  EXPECT_EQ(catalogue::SongTitle(L"晨之歌", L"", L"D:\\x.mp3"), L"晨之歌");
  EXPECT_EQ(catalogue::SongTitle(L"", L"晨风", L"D:\\x y.mp3"), L"x y");
}

TEST(SongDeck, NoSongComesAgainUntilEveryOneWasDrawnAndNoBatchRepeatsOne) {
  catalogue::SongDeck deck(12345);
  deck.Reset(20);
  std::multiset<size_t> seen;
  for (int batch = 0; batch < 20; ++batch) {
    const std::vector<size_t> drawn = deck.Draw(9);
    ASSERT_EQ(drawn.size(), 9u);
    EXPECT_EQ(std::set<size_t>(drawn.begin(), drawn.end()).size(), 9u) << "batch " << batch;
    for (size_t i : drawn) {
      ASSERT_LT(i, 20u);
      seen.insert(i);
    }
    // After every 20 draws each song was drawn equally often.
    if (seen.size() % 20 == 0) {
      for (size_t i = 0; i < 20; ++i) EXPECT_EQ(seen.count(i), seen.size() / 20);
    }
  }
  deck.Reset(3);
  EXPECT_EQ(deck.Draw(9).size(), 3u);
  deck.Reset(0);
  EXPECT_TRUE(deck.Draw(9).empty());
}

std::wstring TempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId());
}

void Touch(const std::wstring& path) {
  CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

TEST(FolderCatalogue, ReadsNestedPlayableFilesAndHandsOutBatchesOfNineWithTitles) {
  const std::wstring root = TempFolder(L"velory-folder-");
  CreateDirectoryW(root.c_str(), nullptr);
  CreateDirectoryW((root + L"\\子 目录").c_str(), nullptr);
  CreateDirectoryW((root + L"\\子 目录\\deeper").c_str(), nullptr);
  std::set<std::wstring> songs;
  for (int i = 0; i < 12; ++i) {
    const std::wstring folder = root + (i % 3 == 0   ? L""
                                        : i % 3 == 1 ? L"\\子 目录"
                                                     : L"\\子 目录\\deeper");
    const std::wstring song = folder + L"\\歌 " + std::to_wstring(i) + (i % 2 ? L".mp3" : L".OGG");
    songs.insert(song);
    Touch(song);
  }
  Touch(root + L"\\cover.jpg");
  Touch(root + L"\\子 目录\\notes.txt");

  const std::atomic<bool> noCancel{false};
  const std::vector<std::wstring> listed = catalogue::ListPlayableFiles(root, noCancel);
  EXPECT_EQ(std::set<std::wstring>(listed.begin(), listed.end()), songs);

  catalogue::FolderCatalogue folder;
  ASSERT_TRUE(folder.Scan(root + L"\\"));
  EXPECT_EQ(folder.size(), 12u);
  std::vector<std::string> entries;
  std::vector<std::wstring> titles;
  folder.FetchBatch([&](const std::string& e) { entries.push_back(e); },
                    [&](const std::string&, std::wstring t) { titles.push_back(std::move(t)); });
  ASSERT_EQ(entries.size(), 10u);
  EXPECT_EQ(entries[0], catalogue::kSongListHeader);
  ASSERT_EQ(titles.size(), 9u);
  for (size_t k = 1; k < entries.size(); ++k) {
    const std::wstring path = catalogue::FromUtf8(entries[k]);
    EXPECT_EQ(songs.count(path), 1u) << entries[k];
    EXPECT_EQ(titles[k - 1], catalogue::TitleFromFileName(path));
  }

  for (const std::wstring& song : songs) DeleteFileW(song.c_str());
  DeleteFileW((root + L"\\cover.jpg").c_str());
  DeleteFileW((root + L"\\子 目录\\notes.txt").c_str());
  RemoveDirectoryW((root + L"\\子 目录\\deeper").c_str());
  RemoveDirectoryW((root + L"\\子 目录").c_str());

  // A folder with nothing playable, and one that does not exist: no batch, not even a header.
  for (const std::wstring& empty : {root, root + L"\\gone"}) {
    catalogue::FolderCatalogue none;
    ASSERT_TRUE(none.Scan(empty));
    EXPECT_EQ(none.size(), 0u);
    entries.clear();
    none.FetchBatch([&](const std::string& e) { entries.push_back(e); }, nullptr);
    EXPECT_TRUE(entries.empty());
  }
  RemoveDirectoryW(root.c_str());
}

}  // namespace
