// The texts the media unit's face and the download's save dialog show.
#include <gtest/gtest.h>

#include "app/windows/media_face.h"
#include "app/windows/song_download.h"

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

TEST(MediaTexts, TheSuggestedNameIsTheSafeTitleOrTheEntryWithItsCopysExtension) {
  const std::wstring longTitle(119, L'长');
  const struct {
    int song;
    std::wstring title;
    const wchar_t* copy;
    std::wstring name;
  } cases[] = {
      {3, L"", L"C:\\temp\\velory-8-3.wav", L"歌曲3.wav"},
      {7, L"", L"", L"歌曲7.mp3"},
      {0, L"", L"C:\\temp\\velory-8-1.ogg", L"歌曲.ogg"},
      {2, L"", L"C:\\a.b\\noextension", L"歌曲2.mp3"},
      {2, L"  ...", L"x.ogg", L"歌曲2.ogg"},  // nothing of the title is left
      {4, L"晨风 - 夜曲", L"x.wav", L"晨风 - 夜曲.wav"},
      {4, L"a<b>c:d\"e/f\\g|h?i*j\tk", L"x.mp3", L"a_b_c_d_e_f_g_h_i_j_k.mp3"},
      {4, L"  Fin... . ", L"x.mp3", L"Fin.mp3"},
      {4, L"con", L"x.mp3", L"_con.mp3"},
      {4, L"Com7.live", L"x.mp3", L"_Com7.live.mp3"},
      {4, L"COM0", L"x.mp3", L"COM0.mp3"},
      {4, L"console", L"x.mp3", L"console.mp3"},
      {4, longTitle + L"\U0001F3B5z", L"x.mp3", longTitle + L".mp3"},  // no half pair
      {4, std::wstring(300, L'a'), L"x.mp3", std::wstring(120, L'a') + L".mp3"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::SuggestedSongName(c.song, c.title, c.copy), c.name) << c.copy;
  }
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
