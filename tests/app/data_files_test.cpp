#include "app/data/data_files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace app {
namespace {

// A fresh folder beside the test executable, with characters of several scripts in its name,
// removed with its files afterwards.
class DataFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = ExecutableFolder() + L"\\data_files_test é音 한";
    CreateDirectoryW(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const wchar_t* name : {L"a.txt", L"b.bin", L"ro.txt"}) {
      SetFileAttributesW(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(Path(name).c_str());
    }
    RemoveDirectoryW(folder_.c_str());
  }
  std::wstring Path(const wchar_t* name) const { return folder_ + L"\\" + name; }
  std::wstring folder_;
};

TEST(DataPaths, BuiltFromTheExecutableFolderNotTheCurrentDirectory) {
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  const std::wstring folder = ExecutableFolder();
  EXPECT_EQ(std::wstring(module).substr(0, folder.size()), folder);
  EXPECT_NE(folder.back(), L'\\');

  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(L"C:\\");
  EXPECT_EQ(DataPath(kTitleFile), folder + L"\\config\\title.txt");
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(DataPath(kPicturePathFile), folder + L"\\背景\\path.txt");
}

TEST_F(DataFilesTest, MissingFilesAndFoldersAreNotThere) {
  EXPECT_FALSE(FileExists(Path(L"a.txt")));
  EXPECT_EQ(ReadTextFile(Path(L"a.txt")), "");
  EXPECT_TRUE(ReadFileBytes(Path(L"a.txt")).empty());
  // A folder is not a data file.
  EXPECT_FALSE(FileExists(folder_));
  // Writing into a folder that does not exist fails quietly.
  EXPECT_FALSE(WriteWholeFile(folder_ + L"\\no such folder\\x.txt", "1"));
}

// The files are GBK whatever the system's code page: the tests run under 936, so the bytes are
// written out, not left to the compiler or the system.
TEST_F(DataFilesTest, TextIsReadAsGbkWhateverTheSystemCodePage) {
  ASSERT_TRUE(WriteWholeFile(Path(L"a.txt"), "\xB1\xEA\xCC\xE2 Title\r\n"));  // 标题
  EXPECT_EQ(ReadGbkTextFile(Path(L"a.txt")), L"标题 Title\r\n");
  ASSERT_TRUE(WriteWholeFile(Path(L"b.bin"), std::string("\xB8\xE8\0\xC7\xFA", 5)));
  EXPECT_EQ(ReadGbkTextFile(Path(L"b.bin")), L"歌");
  // A lead byte with nothing after it becomes a replacement, and what came before stays.
  ASSERT_TRUE(WriteWholeFile(Path(L"a.txt"), "ab\xB8"));
  const std::wstring cut = ReadGbkTextFile(Path(L"a.txt"));
  EXPECT_EQ(cut.size(), 3u);
  EXPECT_EQ(cut.substr(0, 2), L"ab");
}

// A folder deeper than MAX_PATH still holds data files.
TEST_F(DataFilesTest, PathsLongerThanMaxPathWork) {
  std::wstring deep = folder_;
  std::vector<std::wstring> made;
  while (deep.size() < MAX_PATH + 40) {
    deep += L"\\" + std::wstring(50, L'长');
    ASSERT_TRUE(CreateDirectoryW(LongPath(deep).c_str(), nullptr));
    made.push_back(deep);
  }
  const std::wstring file = deep + L"\\title.txt";
  ASSERT_TRUE(WriteWholeFile(file, "\xB1\xEA"));
  EXPECT_TRUE(FileExists(file));
  EXPECT_EQ(ReadGbkTextFile(file), L"标");
  EXPECT_TRUE(DeleteFileW(LongPath(file).c_str()));
  for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryW(LongPath(*it).c_str());
}

TEST_F(DataFilesTest, TextIsReadWholeUntrimmedUpToTheFirstNul) {
  ASSERT_TRUE(WriteWholeFile(Path(L"a.txt"), " 标题\t\r\n"));
  EXPECT_TRUE(FileExists(Path(L"a.txt")));
  EXPECT_EQ(ReadTextFile(Path(L"a.txt")), " 标题\t\r\n");

  ASSERT_TRUE(WriteWholeFile(Path(L"b.bin"), std::string("ab\0cd", 5)));
  EXPECT_EQ(ReadTextFile(Path(L"b.bin")), "ab");
  // Bytes stay whole for the picture.
  EXPECT_EQ(ReadFileBytes(Path(L"b.bin")).size(), 5u);
}

TEST_F(DataFilesTest, AnEmptyFileExistsAndReadsEmpty) {
  ASSERT_TRUE(WriteWholeFile(Path(L"a.txt"), ""));
  EXPECT_TRUE(FileExists(Path(L"a.txt")));
  EXPECT_EQ(ReadTextFile(Path(L"a.txt")), "");
}

TEST_F(DataFilesTest, NumberPairFilesHoldExactlyAHashB) {
  WriteNumberPairFile(Path(L"a.txt"), 634, 388);
  EXPECT_EQ(ReadTextFile(Path(L"a.txt")), "634#388");
  // A longer old content is replaced, not overwritten in place.
  ASSERT_TRUE(WriteWholeFile(Path(L"a.txt"), "1234567890#1234567890\r\n"));
  WriteNumberPairFile(Path(L"a.txt"), -7, 0);
  EXPECT_EQ(ReadTextFile(Path(L"a.txt")), "-7#0");
}

TEST_F(DataFilesTest, AFileThatCannotBeOpenedForWritingIsLeftAlone) {
  ASSERT_TRUE(WriteWholeFile(Path(L"ro.txt"), "old"));
  // Held open without sharing, as another program might; the write must fail, not truncate.
  HANDLE held = CreateFileW(Path(L"ro.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteWholeFile(Path(L"ro.txt"), "new"));
  WriteNumberPairFile(Path(L"ro.txt"), 1, 2);
  CloseHandle(held);
  EXPECT_EQ(ReadTextFile(Path(L"ro.txt")), "old");
}

}  // namespace
}  // namespace app
