#include "app/data_files.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace app {
namespace {

// A fresh folder beside the test executable, removed with its files afterwards.
class DataFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = ExecutableFolder() + "\\data_files_test";
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const char* name : {"a.txt", "b.bin", "ro.txt"}) {
      SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(Path(name).c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Path(const char* name) const { return folder_ + "\\" + name; }
  std::string folder_;
};

TEST(DataPaths, BuiltFromTheExecutableFolderNotTheCurrentDirectory) {
  char module[MAX_PATH];
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string folder = ExecutableFolder();
  EXPECT_EQ(std::string(module).substr(0, folder.size()), folder);
  EXPECT_NE(folder.back(), '\\');

  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA("C:\\");
  EXPECT_EQ(DataPath(kTitleFile), folder + "\\config\\title.txt");
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(DataPath(kPicturePathFile), folder + "\\背景\\path.txt");
}

TEST_F(DataFilesTest, MissingFilesAndFoldersAreNotThere) {
  EXPECT_FALSE(FileExists(Path("a.txt")));
  EXPECT_EQ(ReadTextFile(Path("a.txt")), "");
  EXPECT_TRUE(ReadFileBytes(Path("a.txt")).empty());
  // A folder is not a data file.
  EXPECT_FALSE(FileExists(folder_));
  // Writing into a folder that does not exist fails quietly.
  EXPECT_FALSE(WriteWholeFile(folder_ + "\\no such folder\\x.txt", "1"));
}

TEST_F(DataFilesTest, TextIsReadWholeUntrimmedUpToTheFirstNul) {
  ASSERT_TRUE(WriteWholeFile(Path("a.txt"), " 标题\t\r\n"));
  EXPECT_TRUE(FileExists(Path("a.txt")));
  EXPECT_EQ(ReadTextFile(Path("a.txt")), " 标题\t\r\n");

  ASSERT_TRUE(WriteWholeFile(Path("b.bin"), std::string("ab\0cd", 5)));
  EXPECT_EQ(ReadTextFile(Path("b.bin")), "ab");
  // Bytes stay whole for the picture.
  EXPECT_EQ(ReadFileBytes(Path("b.bin")).size(), 5u);
}

TEST_F(DataFilesTest, AnEmptyFileExistsAndReadsEmpty) {
  ASSERT_TRUE(WriteWholeFile(Path("a.txt"), ""));
  EXPECT_TRUE(FileExists(Path("a.txt")));
  EXPECT_EQ(ReadTextFile(Path("a.txt")), "");
}

TEST_F(DataFilesTest, NumberPairFilesHoldExactlyAHashB) {
  WriteNumberPairFile(Path("a.txt"), 634, 388);
  EXPECT_EQ(ReadTextFile(Path("a.txt")), "634#388");
  // A longer old content is replaced, not overwritten in place.
  ASSERT_TRUE(WriteWholeFile(Path("a.txt"), "1234567890#1234567890\r\n"));
  WriteNumberPairFile(Path("a.txt"), -7, 0);
  EXPECT_EQ(ReadTextFile(Path("a.txt")), "-7#0");
}

TEST_F(DataFilesTest, AFileThatCannotBeOpenedForWritingIsLeftAlone) {
  ASSERT_TRUE(WriteWholeFile(Path("ro.txt"), "old"));
  // Held open without sharing, as another program might; the write must fail, not truncate.
  HANDLE held = CreateFileA(Path("ro.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteWholeFile(Path("ro.txt"), "new"));
  WriteNumberPairFile(Path("ro.txt"), 1, 2);
  CloseHandle(held);
  EXPECT_EQ(ReadTextFile(Path("ro.txt")), "old");
}

}  // namespace
}  // namespace app
