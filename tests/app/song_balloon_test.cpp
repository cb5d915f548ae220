#include "app/desktop/song_balloon.h"

#include <gtest/gtest.h>

#include "app/data/remembered_settings.h"

namespace app {
namespace {

TEST(SongBalloon, OnlySwitchedOnOutOfSightAndWhenTheSystemTakesNotifications) {
  EXPECT_TRUE(ShouldTellSong(true, false, QUNS_ACCEPTS_NOTIFICATIONS));
  EXPECT_FALSE(ShouldTellSong(false, false, QUNS_ACCEPTS_NOTIFICATIONS));
  EXPECT_FALSE(ShouldTellSong(true, true, QUNS_ACCEPTS_NOTIFICATIONS));
  for (QUERY_USER_NOTIFICATION_STATE quiet :
       {QUNS_NOT_PRESENT, QUNS_BUSY, QUNS_RUNNING_D3D_FULL_SCREEN, QUNS_PRESENTATION_MODE,
        QUNS_QUIET_TIME}) {
    EXPECT_FALSE(ShouldTellSong(true, false, quiet)) << quiet;
  }
  // The switch is remembered with the other settings; off unless the file says 1.
  RememberedSettings on;
  on.balloons = true;
  EXPECT_TRUE(ParseSettings(FormatSettings(on)).balloons);
  EXPECT_FALSE(ParseSettings("balloons=yes").balloons);
}

}  // namespace
}  // namespace app
