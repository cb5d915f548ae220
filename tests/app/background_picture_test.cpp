#include "app/windows/background_picture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/data/data_files.h"
#include "catalogue/text_routines.h"
#include "skin/skin_settings.h"
#include "tests/support/picture.h"

namespace app {
namespace {

TEST(PictureName, IsThePartAfterTheLastBackslash) {
  EXPECT_EQ(PictureNameOf(L"C:\\pics\\sea.jpg"), L"sea.jpg");
  EXPECT_EQ(PictureNameOf(L"sea.jpg"), L"sea.jpg");
  EXPECT_EQ(PictureNameOf(L"C:\\pics\\"), L"");
  EXPECT_EQ(PictureNameOf(L"D:\\图片\\晚霞 2.jpg"), L"晚霞 2.jpg");
}

// A scratch copy of the executable's data layout: <root>\背景 with path.txt and one picture.
class ChangeBackgroundTest : public ::testing::Test {
 protected:
  // Pictures told apart by what follows the picture's own bytes, which decoding ignores.
  static std::string Picture(const char* tag) { return testing_support::BlockPictureBytes() + tag; }
  // path.txt holds GBK bytes.
  static std::string Gbk(const wchar_t* text) {
    return catalogue::EncodeText(text, catalogue::kGbkCodePage).value();
  }

  void SetUp() override {
    gdiplus_ = skin::StartGdiplus();
    root_ = ExecutableFolder() + L"\\change_background_test";
    RemoveAll();
    CreateDirectoryW(root_.c_str(), nullptr);
    CreateDirectoryW((root_ + L"\\背景").c_str(), nullptr);
    CreateDirectoryW((root_ + L"\\elsewhere").c_str(), nullptr);
    WriteWholeFile(root_ + L"\\背景\\path.txt", Gbk(L"old.jpg"));
    WriteWholeFile(root_ + L"\\背景\\old.jpg", Picture("OLD"));
    WriteWholeFile(root_ + L"\\elsewhere\\新图.jpg", Picture("NEW"));
    WriteWholeFile(root_ + L"\\elsewhere\\old.jpg", Picture("ANOTHER OLD"));
    WriteWholeFile(root_ + L"\\elsewhere\\note.jpg", "NO PICTURE");
  }
  void TearDown() override {
    RemoveAll();
    skin::ShutdownGdiplus(gdiplus_);
  }
  ULONG_PTR gdiplus_ = 0;
  void RemoveAll() {
    for (const wchar_t* f :
         {L"\\背景\\path.txt", L"\\背景\\old.jpg", L"\\背景\\新图.jpg", L"\\背景\\note.jpg",
          L"\\elsewhere\\新图.jpg", L"\\elsewhere\\old.jpg", L"\\elsewhere\\note.jpg"}) {
      DeleteFileW((root_ + f).c_str());
    }
    RemoveDirectoryW((root_ + L"\\背景").c_str());
    RemoveDirectoryW((root_ + L"\\elsewhere").c_str());
    RemoveDirectoryW(root_.c_str());
  }

  // Runs the handler with the dialog answering `chosen`; returns the messages shown, an error's
  // marked "error: ".
  std::vector<std::wstring> Choose(std::optional<std::wstring> chosen) {
    std::vector<std::wstring> shown;
    ChangeBackground(root_, {[&](const std::wstring& folder) {
                               initialFolder_ = folder;
                               return chosen;
                             },
                             [&](const wchar_t* m, bool error) {
                               shown.push_back((error ? std::wstring(L"error: ") : L"") + m);
                             }});
    return shown;
  }
  std::string Read(const wchar_t* relative) {
    const std::vector<uint8_t> bytes = ReadFileBytes(root_ + relative);
    return std::string(bytes.begin(), bytes.end());
  }

  std::wstring root_, initialFolder_;
};

TEST_F(ChangeBackgroundTest, APictureFromAnotherFolderIsCopiedAndNamed) {
  EXPECT_EQ(Choose(root_ + L"\\elsewhere\\新图.jpg"), std::vector<std::wstring>{L"OK，重启生效"});
  EXPECT_EQ(initialFolder_, root_ + L"\\背景");
  EXPECT_EQ(Read(L"\\背景\\新图.jpg"), Picture("NEW"));
  EXPECT_EQ(Read(L"\\背景\\path.txt"), Gbk(L"新图.jpg"));
}

TEST_F(ChangeBackgroundTest, APictureAlreadyInTheFolderIsOnlyNamed) {
  WriteWholeFile(root_ + L"\\背景\\path.txt", Gbk(L"something else.jpg"));
  EXPECT_EQ(Choose(root_ + L"\\背景\\old.jpg"), std::vector<std::wstring>{L"OK，重启生效"});
  EXPECT_EQ(Read(L"\\背景\\old.jpg"), Picture("OLD"));
  EXPECT_EQ(Read(L"\\背景\\path.txt"), Gbk(L"old.jpg"));
}

TEST_F(ChangeBackgroundTest, ANameTakenByADifferentFileKeepsThatFile) {
  EXPECT_EQ(Choose(root_ + L"\\elsewhere\\old.jpg"), std::vector<std::wstring>{L"OK，重启生效"});
  EXPECT_EQ(Read(L"\\背景\\old.jpg"), Picture("OLD"));
  EXPECT_EQ(Read(L"\\背景\\path.txt"), Gbk(L"old.jpg"));
}

TEST_F(ChangeBackgroundTest, CancellingShowsNothingAndChangesNothing) {
  EXPECT_TRUE(Choose(std::nullopt).empty());
  EXPECT_EQ(Read(L"\\背景\\path.txt"), Gbk(L"old.jpg"));
}

TEST_F(ChangeBackgroundTest, AFailedCopyLeavesTheNameFileAlone) {
  EXPECT_EQ(Choose(root_ + L"\\elsewhere\\missing.jpg"),
            std::vector<std::wstring>{L"error: 失败！"});
  EXPECT_EQ(Read(L"\\背景\\path.txt"), Gbk(L"old.jpg"));
  EXPECT_FALSE(FileExists(root_ + L"\\背景\\missing.jpg"));
}

// The file that would become the background must be a picture: the chosen one, or the one of
// that name already in 背景.
TEST_F(ChangeBackgroundTest, AFileThatIsNoPictureIsRefusedAndNothingChanges) {
  EXPECT_EQ(Choose(root_ + L"\\elsewhere\\note.jpg"), std::vector<std::wstring>{L"error: 失败！"});
  EXPECT_FALSE(FileExists(root_ + L"\\背景\\note.jpg"));
  EXPECT_EQ(Read(L"\\背景\\path.txt"), Gbk(L"old.jpg"));

  WriteWholeFile(root_ + L"\\背景\\old.jpg", "NO PICTURE EITHER");
  WriteWholeFile(root_ + L"\\背景\\path.txt", Gbk(L"other.jpg"));
  EXPECT_EQ(Choose(root_ + L"\\elsewhere\\old.jpg"), std::vector<std::wstring>{L"error: 失败！"});
  EXPECT_EQ(Read(L"\\背景\\old.jpg"), "NO PICTURE EITHER");
  EXPECT_EQ(Read(L"\\背景\\path.txt"), Gbk(L"other.jpg"));
}

// path.txt is GBK: a name it cannot hold would name another file when read back.
TEST_F(ChangeBackgroundTest, ANameThatGbkCannotHoldIsRefusedBeforeTheCopy) {
  ASSERT_TRUE(WriteWholeFile(root_ + L"\\elsewhere\\노을.jpg", Picture("KOREAN")));
  EXPECT_EQ(Choose(root_ + L"\\elsewhere\\노을.jpg"), std::vector<std::wstring>{L"error: 失败！"});
  EXPECT_FALSE(FileExists(root_ + L"\\背景\\노을.jpg"));
  EXPECT_EQ(Read(L"\\背景\\path.txt"), Gbk(L"old.jpg"));
  DeleteFileW((root_ + L"\\elsewhere\\노을.jpg").c_str());
}

TEST_F(ChangeBackgroundTest, AnUnwritableNameFileFailsAfterTheCopy) {
  HANDLE held = CreateFileW((root_ + L"\\背景\\path.txt").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const auto shown = Choose(root_ + L"\\elsewhere\\新图.jpg");
  CloseHandle(held);
  EXPECT_EQ(shown, std::vector<std::wstring>{L"error: 失败！"});
  EXPECT_EQ(Read(L"\\背景\\新图.jpg"), Picture("NEW"));  // the copy stays
  EXPECT_EQ(Read(L"\\背景\\path.txt"), Gbk(L"old.jpg"));
}

}  // namespace
}  // namespace app
