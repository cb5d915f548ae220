// The real player against data files that are folders, binary, huge, locked or hold numbers
// beyond 32 bits, at start-up and when it saves the layout at exit.
#include <gtest/gtest.h>

#include <limits>

#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using namespace testing_support;

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

HWND GroupBoxOf(HWND main) { return FindWindowExA(main, nullptr, "Button", nullptr); }

void ReplaceWithFolder(const std::string& path) {
  DeleteFileW(testing_support::Wide(path).c_str());
  ASSERT_TRUE(CreateDirectoryW(testing_support::Wide(path).c_str(), nullptr)) << path;
}

// Holds the file open without sharing it: nobody else can read or replace it meanwhile.
class LockedFile {
 public:
  explicit LockedFile(const std::string& path)
      : h_(CreateFileW(testing_support::Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                       0, nullptr)) {}
  ~LockedFile() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  bool locked() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

// The 100 MB files go once a test is done with them.
void RemoveHugeFiles(const PlayerFolder& dir) {
  for (const char* file : {"\\config\\Grouping.txt", "\\config\\title.txt", "\\背景\\default.jpg",
                           "\\背景\\path.txt"}) {
    DeleteFileW(testing_support::Wide(dir.Path(file)).c_str());
  }
}

// The start ends with this message and no main window.
void ExpectStartEndsWith(const PlayerFolder& dir, const std::string& message) {
  PlayerProcess player(dir.folder);
  HWND box = nullptr;
  EXPECT_EQ(player.WaitForMessageBox(20000, &box), message);
  EXPECT_EQ(player.FindWindowOfClass("PlayerWindow", true), nullptr);
  if (box) SendMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(player.WaitForExit(), 0);
}

TEST(DataAbuse, AFolderInPlaceOfADataFileEndsTheStartWithItsMessage) {
  const struct {
    const char* name;
    const char* path;
    const char* message;
  } cases[] = {
      {"path_txt", "\\背景\\path.txt", "文件顺坏!"},
      {"picture", "\\背景\\default.jpg", "找不到背景图片，请重新下载！"},
      {"title", "\\config\\title.txt", "文件顺坏!"},
      {"main_size", "\\config\\main.txt", "文件顺坏!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const PlayerFolder dir = MakePlayerFolder(TestName() + "_" + c.name);
    ReplaceWithFolder(dir.Path(c.path));
    ExpectStartEndsWith(dir, c.message);
  }
}

TEST(DataAbuse, BinaryAndHugeFilesGiveTheirTextUpToTheFirstZeroAndTheirLeadingNumbers) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  WriteFileBytes(dir.Path("\\config\\title.txt"), std::string("ab\x01"
                                                              "c\0\xFF\xFE",
                                                              7));
  // 100 MB of blanks before the numbers: read whole, and the blanks are skipped.
  WriteFileBytes(dir.Path("\\config\\Grouping.txt"), std::string(100 << 20, ' ') + "18#16");
  WriteFileBytes(dir.Path("\\config\\main.txt"), std::string("\xFF\x00#\x80\x81", 5));
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow(60000);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowText(main),
            "ab\x01"
            "c");
  // Read as 18#16, its home, where it stays in the 0 by 0 window.
  const RECT b = ChildRect(GroupBoxOf(main));
  EXPECT_EQ(b.left, 18);
  EXPECT_EQ(b.top, 16);
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
  // 0 by 0, as read, is what is saved.
  EXPECT_EQ(ReadFileBytes(dir.Path("\\config\\main.txt")), "0#0");
  RemoveHugeFiles(dir);
}

TEST(DataAbuse, AHugeOrBinaryPictureNameNamesNoPicture) {
  for (const std::string& name :
       {std::string(100 << 20, 'a'), std::string("\xFF\0default.jpg", 13)}) {
    const PlayerFolder dir = MakePlayerFolder(TestName() + std::to_string(name.size()));
    WriteFileBytes(dir.Path("\\背景\\path.txt"), name);
    ExpectStartEndsWith(dir, "找不到背景图片，请重新下载！");
    RemoveHugeFiles(dir);
  }
}

TEST(DataAbuse, AHugeCaptionFileGivesTheStartOfItsTextAsTheCaption) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  WriteFileBytes(dir.Path("\\config\\title.txt"), std::string(100 << 20, 'T'));
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow(60000);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowText(main), std::string(1024, 'T'));
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
  RemoveHugeFiles(dir);
}

TEST(DataAbuse, NumbersBeyond32BitsAreClampedAndWhatTheWindowHoldsIsSavedAtExit) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  WriteFileBytes(dir.Path("\\config\\Grouping.txt"), "99999999999#-99999999999.5");
  WriteFileBytes(dir.Path("\\config\\main.txt"), "-4294967296#300");
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  const RECT r = WindowRectOf(main);
  EXPECT_EQ(r.right - r.left, 0);  // the most negative width there is: none
  EXPECT_EQ(r.bottom - r.top, 300);
  // A panel that far out is brought back, where it can be grabbed: to the left no further than
  // its home in a window narrower than the panel, to the top edge from above.
  const RECT b = ChildRect(GroupBoxOf(main));
  EXPECT_EQ(b.left, 18);
  EXPECT_EQ(b.top, 0);
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
  EXPECT_EQ(ReadFileBytes(dir.Path("\\config\\main.txt")), "0#300");
  EXPECT_EQ(ReadFileBytes(dir.Path("\\config\\Grouping.txt")), "18#0");
}

TEST(DataAbuse, LockedFilesReadAsEmpty) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  LockedFile title(dir.Path("\\config\\title.txt"));
  LockedFile grouping(dir.Path("\\config\\Grouping.txt"));
  ASSERT_TRUE(title.locked() && grouping.locked());
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowText(main), "");
  const RECT b = ChildRect(GroupBoxOf(main));
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.top, 0);
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);

  const PlayerFolder dir2 = MakePlayerFolder(TestName() + "_picture");
  LockedFile picture(dir2.Path("\\背景\\default.jpg"));
  ASSERT_TRUE(picture.locked());
  ExpectStartEndsWith(dir2, "找不到背景图片，请重新下载！");
}

TEST(DataAbuse, LayoutFilesThatCannotBeReplacedAtExitStayAsTheyWereAndNothingIsLeftBehind) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  WriteFileBytes(dir.Path("\\config\\Grouping.txt"), "30#40");
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  // While it runs: one file becomes a folder, the other read-only.
  ReplaceWithFolder(dir.Path("\\config\\main.txt"));
  SetFileAttributesW(testing_support::Wide(dir.Path("\\config\\Grouping.txt")).c_str(),
                     FILE_ATTRIBUTE_READONLY);
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
  EXPECT_EQ(GetFileAttributesW(testing_support::Wide(dir.Path("\\config\\main.txt")).c_str()) &
                FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(ReadFileBytes(dir.Path("\\config\\Grouping.txt")), "30#40");
  EXPECT_FALSE(PathExists(dir.Path("\\config\\main.txt.new")));
  EXPECT_FALSE(PathExists(dir.Path("\\config\\Grouping.txt.new")));
  SetFileAttributesW(testing_support::Wide(dir.Path("\\config\\Grouping.txt")).c_str(),
                     FILE_ATTRIBUTE_NORMAL);
}

TEST(DataAbuse, AConfigFolderRemovedWhileRunningIsNotMadeAgainAtExit) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  for (const char* file : {"\\config\\title.txt", "\\config\\Grouping.txt", "\\config\\main.txt"}) {
    DeleteFileW(testing_support::Wide(dir.Path(file)).c_str());
  }
  ASSERT_TRUE(RemoveDirectoryW(testing_support::Wide(dir.Path("\\config")).c_str()));
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
  EXPECT_FALSE(PathExists(dir.Path("\\config")));
}

}  // namespace
