// At 96 dpi the windows show exactly the checked-in pictures. Regenerate them, where a change
// alters a window on purpose, with VELORY_UPDATE_REFERENCES=1 ./test -R Reference.
#include <gtest/gtest.h>

#include "tests/reference/window_picture.h"
#include "tests/support/catalogue_service.h"
#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace {

using testing_support::CaptureAfter;
using testing_support::CatalogueService;
using testing_support::CompareWithReference;
using testing_support::MakePlayerFolder;
using testing_support::MakeScratchFolder;
using testing_support::PlayerFolder;
using testing_support::PlayerProcess;
using testing_support::StopCatalogueService;

// Hover faces would follow wherever an earlier test left the pointer.
void ParkPointer() {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

// The main window in the language the config file names ("zh" or "en").
void CompareMainWindow(const std::string& language, const std::string& reference) {
  if (CATALOGUE_PORT) {
    ASSERT_TRUE(StopCatalogueService(CATALOGUE_PORT));
  }
  ParkPointer();
  const PlayerFolder dir = MakePlayerFolder(reference);
  testing_support::WriteFileBytes(dir.Path("\\config\\language.txt"), language);
  // An address where nothing answers, whatever port the build's own catalogue has: the face
  // shows it whole. A source set, so the first start's source dialog does not cover the window.
  testing_support::WriteFileBytes(dir.Path("\\config\\source.txt"), "http://127.0.0.1:1/");
  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr);
  const int painted = player.events().WaitFor("step main window painted");
  ASSERT_GE(painted, 0) << player.events().Dump();
  EXPECT_EQ(CompareWithReference(CaptureAfter(player, main, painted), reference), "");
  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
}

TEST(Reference, MainWindowWithNoCatalogueAnswering) { CompareMainWindow("zh", "main-window"); }

TEST(Reference, EnglishMainWindowWithNoCatalogueAnswering) {
  CompareMainWindow("en", "main-window-english");
}

TEST(Reference, LoadingWindowWhileTheCatalogueKeepsStartUpWaiting) {
  if (CATALOGUE_PORT == 0) GTEST_SKIP() << "the build's catalogue is not on 127.0.0.1";
  CatalogueService service(CATALOGUE_PORT, "--fault slow");
  ASSERT_TRUE(service.ready());
  ParkPointer();
  const PlayerFolder dir = MakePlayerFolder("reference-loading");
  PlayerProcess player(dir.folder);
  HWND loading = player.WaitForWindow("LoadingWindow", true, 20000);
  ASSERT_NE(loading, nullptr);
  const int skinned = player.events().WaitFor("step loading window skinned");
  ASSERT_GE(skinned, 0) << player.events().Dump();
  EXPECT_EQ(CompareWithReference(CaptureAfter(player, loading, skinned), "loading-window"), "");
  PostMessageA(loading, WM_CLOSE, 0, 0);
  EXPECT_EQ(player.WaitForExit(30000), 0);
}

TEST(Reference, GalleryOverTheShippedPicture) {
  ParkPointer();
  const std::string png = MakeScratchFolder("reference-gallery") + "\\gallery.png";
  ASSERT_EQ(testing_support::RunGalleryScreenshot(png), 0u);
  testing_support::WindowPicture picture;
  ASSERT_TRUE(testing_support::LoadPng(png, picture));
  // The date picker shows today's date.
  EXPECT_EQ(CompareWithReference(picture, "gallery", {{595, 154, 740, 176}}), "");
}

}  // namespace
