#include "app/background_picture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/data_files.h"

namespace app {
namespace {

TEST(PictureName, IsThePartAfterTheLastBackslash) {
  EXPECT_EQ(PictureNameOf("C:\\pics\\sea.jpg"), "sea.jpg");
  EXPECT_EQ(PictureNameOf("sea.jpg"), "sea.jpg");
  EXPECT_EQ(PictureNameOf("C:\\pics\\"), "");
  EXPECT_EQ(PictureNameOf("D:\\图片\\晚霞 2.jpg"), "晚霞 2.jpg");
}

TEST(PictureName, ADoubleByteCharacterEndingInABackslashByteIsNotSplit) {
  // 0x81 0x5C is one GBK character whose second byte equals "\".
  const std::string name = std::string("a\x81\x5C") + "b.jpg";
  EXPECT_EQ(PictureNameOf("C:\\pics\\" + name), name);
  EXPECT_EQ(PictureNameOf(name), name);
}

// A scratch copy of the executable's data layout: <root>\背景 with path.txt and one picture.
class ChangeBackgroundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = ExecutableFolder() + "\\change_background_test";
    RemoveAll();
    CreateDirectoryA(root_.c_str(), nullptr);
    CreateDirectoryA((root_ + "\\背景").c_str(), nullptr);
    CreateDirectoryA((root_ + "\\elsewhere").c_str(), nullptr);
    WriteWholeFile(root_ + "\\背景\\path.txt", "old.jpg");
    WriteWholeFile(root_ + "\\背景\\old.jpg", "OLD PICTURE");
    WriteWholeFile(root_ + "\\elsewhere\\新图.jpg", "NEW PICTURE");
    WriteWholeFile(root_ + "\\elsewhere\\old.jpg", "ANOTHER OLD");
  }
  void TearDown() override { RemoveAll(); }
  void RemoveAll() {
    for (const char* f : {"\\背景\\path.txt", "\\背景\\old.jpg", "\\背景\\新图.jpg",
                          "\\elsewhere\\新图.jpg", "\\elsewhere\\old.jpg"}) {
      DeleteFileA((root_ + f).c_str());
    }
    RemoveDirectoryA((root_ + "\\背景").c_str());
    RemoveDirectoryA((root_ + "\\elsewhere").c_str());
    RemoveDirectoryA(root_.c_str());
  }

  // Runs the handler with the dialog answering `chosen`; returns the messages shown.
  std::vector<std::string> Choose(std::optional<std::string> chosen) {
    std::vector<std::string> shown;
    ChangeBackground(root_, {[&](const std::string& folder) {
                               initialFolder_ = folder;
                               return chosen;
                             },
                             [&](const char* m) { shown.push_back(m); }});
    return shown;
  }
  std::string Read(const char* relative) { return ReadTextFile(root_ + relative); }

  std::string root_, initialFolder_;
};

TEST_F(ChangeBackgroundTest, APictureFromAnotherFolderIsCopiedAndNamed) {
  EXPECT_EQ(Choose(root_ + "\\elsewhere\\新图.jpg"), std::vector<std::string>{"OK，重启生效"});
  EXPECT_EQ(initialFolder_, root_ + "\\背景");
  EXPECT_EQ(Read("\\背景\\新图.jpg"), "NEW PICTURE");
  EXPECT_EQ(Read("\\背景\\path.txt"), "新图.jpg");
}

TEST_F(ChangeBackgroundTest, APictureAlreadyInTheFolderIsOnlyNamed) {
  WriteWholeFile(root_ + "\\背景\\path.txt", "something else.jpg");
  EXPECT_EQ(Choose(root_ + "\\背景\\old.jpg"), std::vector<std::string>{"OK，重启生效"});
  EXPECT_EQ(Read("\\背景\\old.jpg"), "OLD PICTURE");
  EXPECT_EQ(Read("\\背景\\path.txt"), "old.jpg");
}

TEST_F(ChangeBackgroundTest, ANameTakenByADifferentFileKeepsThatFile) {
  EXPECT_EQ(Choose(root_ + "\\elsewhere\\old.jpg"), std::vector<std::string>{"OK，重启生效"});
  EXPECT_EQ(Read("\\背景\\old.jpg"), "OLD PICTURE");
  EXPECT_EQ(Read("\\背景\\path.txt"), "old.jpg");
}

TEST_F(ChangeBackgroundTest, CancellingShowsNothingAndChangesNothing) {
  EXPECT_TRUE(Choose(std::nullopt).empty());
  EXPECT_EQ(Read("\\背景\\path.txt"), "old.jpg");
}

TEST_F(ChangeBackgroundTest, AFailedCopyLeavesTheNameFileAlone) {
  EXPECT_EQ(Choose(root_ + "\\elsewhere\\missing.jpg"), std::vector<std::string>{"失败！"});
  EXPECT_EQ(Read("\\背景\\path.txt"), "old.jpg");
  EXPECT_FALSE(FileExists(root_ + "\\背景\\missing.jpg"));
}

TEST_F(ChangeBackgroundTest, AnUnwritableNameFileFailsAfterTheCopy) {
  HANDLE held = CreateFileA((root_ + "\\背景\\path.txt").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const auto shown = Choose(root_ + "\\elsewhere\\新图.jpg");
  CloseHandle(held);
  EXPECT_EQ(shown, std::vector<std::string>{"失败！"});
  EXPECT_EQ(Read("\\背景\\新图.jpg"), "NEW PICTURE");  // the copy stays
  EXPECT_EQ(Read("\\背景\\path.txt"), "old.jpg");
}

}  // namespace
}  // namespace app
