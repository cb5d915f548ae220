// The language tables and the choice between them.
#include "app/data/language.h"

#include <gtest/gtest.h>

#include "app/application.h"
#include "app/windows/media_face.h"
#include "app/windows/song_download.h"

namespace {

using app::Language;

// Every text of both tables is there, and the English one has no Chinese left in it (the
// other-language item aside, which names Chinese in Chinese).
TEST(Language, BothTablesHoldEveryText) {
  const auto& zh = app::TextsOf(Language::kChinese);
  const auto& en = app::TextsOf(Language::kEnglish);
  constexpr size_t kTexts = sizeof(app::UiTexts) / sizeof(const wchar_t*);
  const auto* zhTexts = reinterpret_cast<const wchar_t* const*>(&zh);
  const auto* enTexts = reinterpret_cast<const wchar_t* const*>(&en);
  for (size_t i = 0; i < kTexts; ++i) {
    ASSERT_NE(zhTexts[i], nullptr) << i;
    ASSERT_NE(enTexts[i], nullptr) << i;
    if (enTexts[i] == en.menuOtherLanguage) continue;
    for (const wchar_t* c = enTexts[i]; *c; ++c) EXPECT_LT(*c, 0x2E80) << i;
  }
  EXPECT_STREQ(zh.songListHeader, L"双击操作");
  EXPECT_STREQ(zh.download, L"下 载");
  EXPECT_EQ(app::VisibleEntry(3, zh), L"歌曲3");
  EXPECT_EQ(app::VisibleEntry(3, en), L"Song 3");
  EXPECT_EQ(app::VisibleEntry(0, en), en.songListHeader);
}

TEST(Language, ChineseForAnyChineseUserInterfaceEnglishOtherwise) {
  for (int id : {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED),
                 MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL),
                 MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_HONGKONG)}) {
    EXPECT_EQ(app::LanguageOfUi(static_cast<LANGID>(id)), Language::kChinese) << id;
  }
  for (int id :
       {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT),
        MAKELANGID(LANG_KOREAN, SUBLANG_DEFAULT), 0}) {
    EXPECT_EQ(app::LanguageOfUi(static_cast<LANGID>(id)), Language::kEnglish) << id;
  }
}

// What the file holds decides when it names a language; anything else leaves the choice to the
// user interface language.
TEST(Language, TheKeptChoiceReadsBackAndAnythingElseIsNoChoice) {
  for (Language l : {Language::kChinese, Language::kEnglish}) {
    EXPECT_EQ(app::ParseLanguageFile(app::LanguageFileText(l)), l);
  }
  EXPECT_EQ(app::ParseLanguageFile(" en\r\n"), Language::kEnglish);
  for (const char* other : {"", "EN", "english", "fr", "zh en", "\xB8\xE8"}) {
    EXPECT_FALSE(app::ParseLanguageFile(other)) << other;
  }
}

// The texts the program builds follow the language of the moment.
TEST(Language, BuiltTextsFollowTheProgramsLanguage) {
  const app::Application application;
  app::ProgramLanguage().Set(Language::kEnglish);
  EXPECT_EQ(app::FaceText(3, app::MediaPlayerUnit::Activity::kPlaying, 61), L"Song 3 Playing 1:01");
  EXPECT_EQ(app::DownloadStatusText(52942, 105884), L"50%  Received 52,942 / 105,884 bytes");
  EXPECT_EQ(app::FailureReason({catalogue::FetchProblem::kServerStatus, 500}),
            L"Server error (status 500)");
  EXPECT_EQ(app::SuggestedSongName(0, L"", L"C:\\t\\a.ogg"), L"Song.ogg");
  app::ProgramLanguage().Set(Language::kChinese);
  EXPECT_EQ(app::SuggestedSongName(0, L"", L"C:\\t\\a.ogg"), L"歌曲.ogg");
}

}  // namespace
