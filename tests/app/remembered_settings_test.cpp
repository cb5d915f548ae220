#include "app/data/remembered_settings.h"

#include <gtest/gtest.h>

#include "tests/support/observe.h"
#include "tests/support/scratch.h"

namespace app {
namespace {

using testing_support::Wide;

TEST(RememberedSettings, WhatIsWrittenReadsBackAndDamageFallsBackPerSetting) {
  const RememberedSettings changed{35, true, true};
  EXPECT_EQ(ParseSettings(FormatSettings(changed)), changed);
  EXPECT_EQ(ParseSettings(FormatSettings(RememberedSettings{})), RememberedSettings{});
  EXPECT_EQ(ParseSettings("").volume, 50);
  // Unix line ends, unknown keys and junk lines are fine; each bad value keeps its default.
  EXPECT_EQ(ParseSettings("x\nvolume=0\nballoon=1\nmute=1\nloop=single"),
            (RememberedSettings{0, true, true}));
  EXPECT_EQ(ParseSettings("volume=101\r\nmute=yes\r\nloop=Single\r\n"), RememberedSettings{});
  EXPECT_EQ(ParseSettings("volume=-5\nvolume=\nvolume=3a\nvolume=0035").volume, 50);
  EXPECT_EQ(ParseSettings(std::string("volume=7\0mute=1", 15)).volume, 50);
}

TEST(RememberedSettings, TheFileIsReplacedWholeOrNotAtAll) {
  const std::string folder = testing_support::MakeScratchFolder("RememberedSettingsFile");
  const std::wstring path = Wide(folder + "\\player.ini");
  EXPECT_EQ(LoadSettings(path), RememberedSettings{});  // no file yet
  ASSERT_TRUE(SaveSettings(path, {35, true, false}));
  ASSERT_TRUE(SaveSettings(path, {20, false, true}));
  EXPECT_EQ(LoadSettings(path), (RememberedSettings{20, false, true}));
  EXPECT_FALSE(testing_support::PathExists(folder + "\\player.ini.new"));
  // A folder that is not there: nothing written, nothing left behind.
  EXPECT_FALSE(SaveSettings(Wide(folder + "\\missing\\player.ini"), {1, true, false}));
  EXPECT_FALSE(testing_support::PathExists(folder + "\\missing"));
  // Held open by someone who shares nothing: the old content stays.
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SaveSettings(path, {1, true, false}));
  CloseHandle(held);
  EXPECT_EQ(LoadSettings(path), (RememberedSettings{20, false, true}));
  EXPECT_FALSE(testing_support::PathExists(folder + "\\player.ini.new"));
}

}  // namespace
}  // namespace app
