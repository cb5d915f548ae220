// The caption taken from the caption file: whole when short, cut on a character when huge.
#include "app/windows/caption_text.h"

#include <gtest/gtest.h>

namespace {

using app::CaptionText;
using app::kMaxCaptionUnits;

TEST(CaptionText, ShortTextsStayWholeAndLongOnesEndOnACharacter) {
  EXPECT_EQ(CaptionText(L"Velory音乐播放器\r\n"), L"Velory音乐播放器\r\n");
  EXPECT_EQ(CaptionText(L""), L"");
  const std::wstring full(kMaxCaptionUnits, L'音');
  EXPECT_EQ(CaptionText(full), full);
  EXPECT_EQ(CaptionText(full + L"y"), full);
  // A character outside the Basic Multilingual Plane across the limit is left out whole.
  const std::wstring odd(kMaxCaptionUnits - 1, L'x');
  EXPECT_EQ(CaptionText(odd + L"\U0001F3B5音"), odd);
  EXPECT_EQ(CaptionText(L"x" + odd + L"\U0001F3B5"), L"x" + odd);
}

}  // namespace
