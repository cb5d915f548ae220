// Starts the real player in scratch folders and watches it from this process.
#include <gtest/gtest.h>

#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::ChildRect;
using testing_support::FindChild;
using testing_support::ListBoxItems;
using testing_support::MakePlayerFolder;
using testing_support::PlayerFolder;
using testing_support::PlayerProcess;
using testing_support::ReadFileBytes;
using testing_support::WaitFor;
using testing_support::WindowRectOf;
using testing_support::WindowText;
using testing_support::WriteFileBytes;

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

HWND GroupBoxOf(HWND main) { return FindWindowExA(main, nullptr, "Button", nullptr); }

TEST(Startup, ShippedDataGivesTheMainWindowWithCaptionSizePanelAndList) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder);
  ASSERT_TRUE(player.started());
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);

  EXPECT_EQ(WindowText(main), "Velory音乐播放器");
  const RECT r = WindowRectOf(main);
  EXPECT_EQ(r.right - r.left, 634);
  EXPECT_EQ(r.bottom - r.top, 388);
  // Borderless: the whole window is client area.
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 634);
  EXPECT_EQ(client.bottom, 388);

  HWND box = GroupBoxOf(main);
  ASSERT_NE(box, nullptr);
  const RECT b = ChildRect(box);
  EXPECT_EQ(b.left, 18);
  EXPECT_EQ(b.top, 16);
  EXPECT_EQ(b.right - b.left, 374);
  EXPECT_EQ(b.bottom - b.top, 256);

  // The visible list is the one of the two list boxes that is shown.
  HWND visible = nullptr, hidden = nullptr;
  for (HWND l = FindWindowExA(box, nullptr, "ListBox", nullptr); l;
       l = FindWindowExA(box, l, "ListBox", nullptr)) {
    (IsWindowVisible(l) ? visible : hidden) = l;
  }
  ASSERT_NE(visible, nullptr);
  ASSERT_NE(hidden, nullptr);
  // No catalogue answers here: the list says so instead of naming nine songs that are not there.
  const std::vector<std::string> shown = ListBoxItems(visible);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], "音乐目录没有回应：");
  EXPECT_EQ(GetWindowLongA(visible, GWL_STYLE) & (LBS_SORT | LBS_NOTIFY), LBS_NOTIFY);
  EXPECT_EQ(GetWindowLongA(hidden, GWL_STYLE) & LBS_SORT, 0);

  // The loading window is gone once the main window shows.
  EXPECT_EQ(player.FindWindowOfClass("LoadingWindow"), nullptr);

  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

TEST(Startup, TheMainWindowIsSkinnedOnceTheLoadingWindowIsGone) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  // The loading window's record was the first; removing it made the main window's the first.
  EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(main, "Hw_lbID")), 1);
  EXPECT_NE(GetPropA(main, "Hw_hProc"), nullptr);
  EXPECT_NE(GetWindowLongA(main, GWL_STYLE) & WS_SYSMENU, 0);
  // Rounded: the corners are cut off by the window's region.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return GetWindowRgn(main, region) != ERROR; }));
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_TRUE(PtInRegion(region, 300, 200));
  DeleteObject(region);
  // The group box is a panel of the main window's record.
  HWND box = GroupBoxOf(main);
  EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(box, "Hw_FuID")), 1);
  EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(box, "Hw_lbID")), 1);
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

TEST(Startup, UnitsStandWhereTheDesignPutsThem) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND box = GroupBoxOf(main);
  struct Expect {
    const char* cls;
    const char* caption;
    RECT rect;
    bool visible;
  };
  const Expect units[] = {
      {"Button", "更换背景", {7, 221, 68, 245}, true},
      {"Button", "换一批", {7, 193, 68, 217}, true},
      {"Button", "列表循环", {5, 170, 73, 195}, true},
      {"Button", "单曲循环", {5, 150, 75, 175}, true},
      {"Button", "下 载", {298, 215, 359, 240}, true},
  };
  for (const Expect& u : units) {
    HWND w = FindChild(box, u.cls, u.caption);
    ASSERT_NE(w, nullptr) << u.caption;
    const RECT r = ChildRect(w);
    EXPECT_EQ(r.left, u.rect.left) << u.caption;
    EXPECT_EQ(r.top, u.rect.top) << u.caption;
    EXPECT_EQ(r.right, u.rect.right) << u.caption;
    EXPECT_EQ(r.bottom, u.rect.bottom) << u.caption;
    EXPECT_EQ(IsWindowVisible(w) != FALSE, u.visible) << u.caption;
  }
  HWND listLoop = FindChild(box, "Button", "列表循环");
  HWND singleLoop = FindChild(box, "Button", "单曲循环");
  EXPECT_EQ(SendMessageA(listLoop, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(singleLoop, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // One group: choosing one radio button clears the other.
  SendMessageA(singleLoop, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(singleLoop, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(listLoop, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

TEST(Startup, LayoutFilesAreAppliedAsReadThePanelInsideTheWindow) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  WriteFileBytes(dir.Path("\\config\\Grouping.txt"), "-40#300\r\n");
  WriteFileBytes(dir.Path("\\config\\main.txt"), "250#180");
  WriteFileBytes(dir.Path("\\config\\title.txt"), "");
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowText(main), "");
  const RECT r = WindowRectOf(main);
  EXPECT_EQ(r.right - r.left, 250);
  EXPECT_EQ(r.bottom - r.top, 180);
  // The panel's position is brought inside the window: larger than the window, it stands no
  // further down than its home, below the caption.
  const RECT b = ChildRect(GroupBoxOf(main));
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.top, 16);
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

TEST(Startup, StartedFromAnotherFolderStillFindsItsData) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  PlayerProcess player(dir.folder, "C:\\");
  HWND main = player.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowText(main), "Velory音乐播放器");
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

struct MissingCase {
  const char* name;
  const char* removeFile;  // deleted from the scratch folder
  const char* pathTxt;     // new content of 背景\path.txt, or null
  const char* message;
};

void PrintTo(const MissingCase& c, std::ostream* os) { *os << c.name; }

class StartupEndsEarly : public ::testing::TestWithParam<MissingCase> {};

TEST_P(StartupEndsEarly, ShowsItsMessageAndEndsWithoutTheMainWindow) {
  const MissingCase& c = GetParam();
  const PlayerFolder dir = MakePlayerFolder(std::string("early_") + c.name);
  if (c.removeFile) DeleteFileW(testing_support::Wide(dir.Path(c.removeFile)).c_str());
  if (c.pathTxt) WriteFileBytes(dir.Path("\\背景\\path.txt"), c.pathTxt);
  PlayerProcess player(dir.folder);
  HWND box = nullptr;
  EXPECT_EQ(player.WaitForMessageBox(20000, &box), c.message);
  ASSERT_NE(box, nullptr);
  // Text only and an OK button only: no Cancel, no icon.
  EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
  EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
  EXPECT_EQ(player.FindWindowOfClass("PlayerWindow", true), nullptr);
  SendMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(player.WaitForExit(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    MissingFiles, StartupEndsEarly,
    ::testing::Values(
        MissingCase{"path_txt", "\\背景\\path.txt", nullptr, "文件顺坏!"},
        MissingCase{"picture", "\\背景\\default.jpg", nullptr, "找不到背景图片，请重新下载！"},
        MissingCase{"picture_name_with_line_break", nullptr, "default.jpg\r\n",
                    "找不到背景图片，请重新下载！"},
        MissingCase{"empty_picture_name", nullptr, "", "找不到背景图片，请重新下载！"},
        MissingCase{"title", "\\config\\title.txt", nullptr, "文件顺坏!"},
        MissingCase{"grouping", "\\config\\Grouping.txt", nullptr, "文件顺坏!"},
        MissingCase{"main_size", "\\config\\main.txt", nullptr, "文件顺坏!"}),
    [](const ::testing::TestParamInfo<MissingCase>& info) { return info.param.name; });

// A file that is no picture, or only the start of one, is a picture that cannot be read.
TEST(Startup, AnEmptyOrUndecodablePictureEndsTheStart) {
  const std::string jpeg = ReadFileBytes(MakePlayerFolder(TestName()).Path("\\背景\\default.jpg"));
  ASSERT_GT(jpeg.size(), 1000u);
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"truncated_jpeg", jpeg.substr(0, 600)},
      {"text", "This is not a picture.\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const PlayerFolder dir = MakePlayerFolder(TestName() + "_" + c.name);
    WriteFileBytes(dir.Path("\\背景\\default.jpg"), c.bytes);
    PlayerProcess player(dir.folder);
    HWND box = nullptr;
    EXPECT_EQ(player.WaitForMessageBox(20000, &box), "找不到背景图片，请重新下载！");
    EXPECT_EQ(player.FindWindowOfClass("PlayerWindow", true), nullptr);
    if (box) SendMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(player.WaitForExit(), 0);
  }
}

// A picture far larger than any background (written sparse, so quickly) is not read at all.
TEST(Startup, APictureTooLargeToHoldEndsTheStartLikeAMissingOne) {
  const PlayerFolder dir = MakePlayerFolder(TestName());
  HANDLE file =
      CreateFileW(testing_support::Wide(dir.Path("\\背景\\default.jpg")).c_str(), GENERIC_WRITE, 0,
                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size;
  size.QuadPart = 1536ll * 1024 * 1024;
  EXPECT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file));
  CloseHandle(file);
  PlayerProcess player(dir.folder);
  HWND box = nullptr;
  EXPECT_EQ(player.WaitForMessageBox(20000, &box), "找不到背景图片，请重新下载！");
  if (box) SendMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(player.WaitForExit(), 0);
}

}  // namespace
