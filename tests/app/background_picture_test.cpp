#include "app/background_picture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/data_files.h"
#include "skin/skin_settings.h"
#include "tests/support/picture.h"

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
  // Pictures told apart by what follows the picture's own bytes, which decoding ignores.
  static std::string Picture(const char* tag) { return testing_support::BlockPictureBytes() + tag; }

  void SetUp() override {
    skin::StartGdiplus();
    root_ = ExecutableFolder() + "\\change_background_test";
    RemoveAll();
    CreateDirectoryA(root_.c_str(), nullptr);
    CreateDirectoryA((root_ + "\\背景").c_str(), nullptr);
    CreateDirectoryA((root_ + "\\elsewhere").c_str(), nullptr);
    WriteWholeFile(root_ + "\\背景\\path.txt", "old.jpg");
    WriteWholeFile(root_ + "\\背景\\old.jpg", Picture("OLD"));
    WriteWholeFile(root_ + "\\elsewhere\\新图.jpg", Picture("NEW"));
    WriteWholeFile(root_ + "\\elsewhere\\old.jpg", Picture("ANOTHER OLD"));
    WriteWholeFile(root_ + "\\elsewhere\\note.jpg", "NO PICTURE");
  }
  void TearDown() override {
    RemoveAll();
    skin::ShutdownGdiplus();
  }
  void RemoveAll() {
    for (const char* f :
         {"\\背景\\path.txt", "\\背景\\old.jpg", "\\背景\\新图.jpg", "\\背景\\note.jpg",
          "\\elsewhere\\新图.jpg", "\\elsewhere\\old.jpg", "\\elsewhere\\note.jpg"}) {
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
  std::string Read(const char* relative) {
    const std::vector<uint8_t> bytes = ReadFileBytes(root_ + relative);
    return std::string(bytes.begin(), bytes.end());
  }

  std::string root_, initialFolder_;
};

TEST_F(ChangeBackgroundTest, APictureFromAnotherFolderIsCopiedAndNamed) {
  EXPECT_EQ(Choose(root_ + "\\elsewhere\\新图.jpg"), std::vector<std::string>{"OK，重启生效"});
  EXPECT_EQ(initialFolder_, root_ + "\\背景");
  EXPECT_EQ(Read("\\背景\\新图.jpg"), Picture("NEW"));
  EXPECT_EQ(Read("\\背景\\path.txt"), "新图.jpg");
}

TEST_F(ChangeBackgroundTest, APictureAlreadyInTheFolderIsOnlyNamed) {
  WriteWholeFile(root_ + "\\背景\\path.txt", "something else.jpg");
  EXPECT_EQ(Choose(root_ + "\\背景\\old.jpg"), std::vector<std::string>{"OK，重启生效"});
  EXPECT_EQ(Read("\\背景\\old.jpg"), Picture("OLD"));
  EXPECT_EQ(Read("\\背景\\path.txt"), "old.jpg");
}

TEST_F(ChangeBackgroundTest, ANameTakenByADifferentFileKeepsThatFile) {
  EXPECT_EQ(Choose(root_ + "\\elsewhere\\old.jpg"), std::vector<std::string>{"OK，重启生效"});
  EXPECT_EQ(Read("\\背景\\old.jpg"), Picture("OLD"));
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

// The file that would become the background must be a picture: the chosen one, or the one of
// that name already in 背景.
TEST_F(ChangeBackgroundTest, AFileThatIsNoPictureIsRefusedAndNothingChanges) {
  EXPECT_EQ(Choose(root_ + "\\elsewhere\\note.jpg"), std::vector<std::string>{"失败！"});
  EXPECT_FALSE(FileExists(root_ + "\\背景\\note.jpg"));
  EXPECT_EQ(Read("\\背景\\path.txt"), "old.jpg");

  WriteWholeFile(root_ + "\\背景\\old.jpg", "NO PICTURE EITHER");
  WriteWholeFile(root_ + "\\背景\\path.txt", "other.jpg");
  EXPECT_EQ(Choose(root_ + "\\elsewhere\\old.jpg"), std::vector<std::string>{"失败！"});
  EXPECT_EQ(Read("\\背景\\old.jpg"), "NO PICTURE EITHER");
  EXPECT_EQ(Read("\\背景\\path.txt"), "other.jpg");
}

TEST_F(ChangeBackgroundTest, AnUnwritableNameFileFailsAfterTheCopy) {
  HANDLE held = CreateFileA((root_ + "\\背景\\path.txt").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const auto shown = Choose(root_ + "\\elsewhere\\新图.jpg");
  CloseHandle(held);
  EXPECT_EQ(shown, std::vector<std::string>{"失败！"});
  EXPECT_EQ(Read("\\背景\\新图.jpg"), Picture("NEW"));  // the copy stays
  EXPECT_EQ(Read("\\背景\\path.txt"), "old.jpg");
}

}  // namespace
}  // namespace app
