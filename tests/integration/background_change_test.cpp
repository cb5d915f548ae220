// The change-background button of the real player, answered through its own file dialog, and
// the picture it chose on the next start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/observe.h"
#include "tests/support/picture.h"
#include "tests/support/scratch.h"

namespace {

using namespace testing_support;

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

HWND ChangeButton(HWND main) {
  return FindChild(FindWindowExA(main, nullptr, "Button", nullptr), "Button", "更换背景");
}

// Clicks the button, chooses the file and returns the message the player then shows, with the
// box's title after a '|'; a box that the main window does not own says so.
std::string Choose(const PlayerProcess& player, HWND main, const std::string& path) {
  PostMessageA(ChangeButton(main), BM_CLICK, 0, 0);
  if (!AnswerFileDialog(player, path)) return "no file dialog";
  HWND box = nullptr;
  std::string message = player.WaitForMessageBox(10000, &box);
  if (!box) return message;
  message += "|" + WindowText(box);
  if (GetWindow(box, GW_OWNER) != main) message += " (not owned by the window)";
  SendMessageA(box, WM_COMMAND, IDOK, 0);
  WaitFor([&] { return !IsWindow(box); }, 5000);
  return message;
}

// Files that are no picture are refused and change nothing; a picture is copied, named and shown
// from the next start.
TEST(BackgroundChange, OnlyAPictureIsTakenAndItShowsFromTheNextStart) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  const std::string elsewhere = MakeScratchFolder(TestName() + "_elsewhere");
  const std::string jpeg = ReadFileBytes(dir.Path("\\背景\\default.jpg"));
  WriteFileBytes(elsewhere + "\\half.jpg", jpeg.substr(0, 600));
  WriteFileBytes(elsewhere + "\\note.jpg", "This is not a picture.\r\n");
  WriteFileBytes(elsewhere + "\\blocks.jpg", BlockPictureBytes());
  {
    PlayerProcess player(dir.folder);
    HWND main = player.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    for (const char* name : {"half.jpg", "note.jpg"}) {
      SCOPED_TRACE(name);
      EXPECT_EQ(Choose(player, main, elsewhere + "\\" + name), "失败！|错误");
      EXPECT_EQ(ReadFileBytes(dir.Path("\\背景\\path.txt")), "default.jpg");
      EXPECT_FALSE(PathExists(dir.Path("\\背景\\") + name));
    }
    // Not an error: under the program's own title.
    EXPECT_EQ(Choose(player, main, elsewhere + "\\blocks.jpg"), "OK，重启生效|Velory音乐播放器");
    EXPECT_EQ(ReadFileBytes(dir.Path("\\背景\\path.txt")), "blocks.jpg");
    EXPECT_EQ(ReadFileBytes(dir.Path("\\背景\\blocks.jpg")), BlockPictureBytes());
    player.Close();
    EXPECT_EQ(player.WaitForExit(), 0);
  }
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  RECT client{};
  GetClientRect(main, &client);
  // Right of the group box, below the caption: the new picture, block by block.
  int checked = 0;
  std::string wrong;
  EXPECT_TRUE(WaitFor(
      [&] {
        checked = 0;
        wrong.clear();
        for (int y = 40; y < client.bottom - 10; y += 23) {
          for (int x = 420; x < client.right - 10; x += 19) {
            const auto expected = BlockColourAt(x, y, client.right, client.bottom);
            if (!expected) continue;
            ++checked;
            const COLORREF seen = ScreenPixel(main, x, y);
            if (!Near(seen, *expected, 16) || IsSystemColour(seen)) {
              wrong = std::to_string(x) + "," + std::to_string(y);
              return false;
            }
          }
        }
        return true;
      },
      5000))
      << "first wrong pixel at " << wrong;
  EXPECT_GT(checked, 50);
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

// The dialog offers every picture kind the program shows, "*.jpg" first.
TEST(BackgroundChange, TheDialogOffersEveryPictureKindJpgFirst) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(ChangeButton(main), BM_CLICK, 0, 0);
  HWND dialog = nullptr, kinds = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        dialog = player.FindWindowOfClass("#32770", true);
        kinds = dialog ? GetDlgItem(dialog, 0x470) : nullptr;  // the file type combo box
        return kinds != nullptr;
      },
      10000));
  std::vector<std::string> offered;
  for (LRESULT i = 0, n = SendMessageA(kinds, CB_GETCOUNT, 0, 0); i < n; ++i) {
    wchar_t text[256] = {};
    SendMessageW(kinds, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    offered.push_back(ToUtf8(text));
  }
  EXPECT_EQ(offered, (std::vector<std::string>{"*.jpg", "*.jpeg", "*.png", "*.bmp", "*.gif",
                                               "*.jpg;*.jpeg;*.png;*.bmp;*.gif"}));
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000));
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

}  // namespace
