// The texts the media unit's face and the download's save dialog show.
#include <gtest/gtest.h>

#include "app/media_face.h"
#include "app/song_download.h"

namespace {

using Activity = app::MediaPlayerUnit::Activity;

TEST(MediaTexts, TheFaceTellsSongStateAndWholeElapsedSeconds) {
  const struct {
    int song;
    Activity activity;
    double seconds;
    const wchar_t* text;
  } cases[] = {
      {3, Activity::kPlaying, 2.9, L"歌曲3 正在播放 0:02"},
      {9, Activity::kLoading, 0, L"歌曲9 正在载入 0:00"},
      {4, Activity::kPaused, 61, L"歌曲4 已暂停 1:01"},
      {0, Activity::kStopped, 0, L"-- 已停止 0:00"},
      {1, Activity::kPlaying, 3725.5, L"歌曲1 正在播放 62:05"},
      {2, Activity::kStopped, -4, L"歌曲2 已停止 0:00"},
      {2, Activity::kStopped, 1e300, L"歌曲2 已停止 0:00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::FaceText(c.song, c.activity, c.seconds), c.text) << c.seconds;
  }
}

TEST(MediaTexts, TheSuggestedNameIsTheEntryWithItsCopysExtension) {
  const struct {
    int song;
    const wchar_t* copy;
    const wchar_t* name;
  } cases[] = {
      {3, L"C:\\temp\\velory-8-3.wav", L"歌曲3.wav"},
      {7, L"", L"歌曲7.mp3"},
      {0, L"C:\\temp\\velory-8-1.ogg", L"歌曲.ogg"},
      {2, L"C:\\a.b\\noextension", L"歌曲2.mp3"},
  };
  for (const auto& c : cases) EXPECT_EQ(app::SuggestedSongName(c.song, c.copy), c.name) << c.copy;
}

TEST(MediaTexts, TheDownloadWindowTellsTheShareAndTheBytes) {
  EXPECT_EQ(app::DownloadStatusText(0, 0), L"已收到 0 字节");
  EXPECT_EQ(app::DownloadStatusText(1234567, 0), L"已收到 1,234,567 字节");  // no length known
  EXPECT_EQ(app::DownloadStatusText(999, 105884), L"0%  已收到 999 / 105,884 字节");
  EXPECT_EQ(app::DownloadStatusText(52942, 105884), L"50%  已收到 52,942 / 105,884 字节");
  EXPECT_EQ(app::DownloadStatusText(105884, 105884), L"100%  已收到 105,884 / 105,884 字节");
  EXPECT_EQ(app::DownloadStatusText(7, 5), L"100%  已收到 7 / 5 字节");
}

}  // namespace
