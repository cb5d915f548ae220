// The caption taken from the caption file: whole when short, cut on a character when huge.
#include "app/caption_text.h"

#include <gtest/gtest.h>

namespace {

using app::CaptionText;
using app::kMaxCaptionBytes;

TEST(CaptionText, ShortTextsStayWholeAndLongOnesEndOnACharacter) {
  EXPECT_EQ(CaptionText("Velory音乐播放器\r\n"), "Velory音乐播放器\r\n");
  EXPECT_EQ(CaptionText(""), "");
  const std::string full(kMaxCaptionBytes, 'x');
  EXPECT_EQ(CaptionText(full), full);
  EXPECT_EQ(CaptionText(full + "y"), full);
  // A double-byte character across the limit is left out whole.
  const std::string odd(kMaxCaptionBytes - 1, 'x');
  EXPECT_EQ(CaptionText(odd + "音乐"), odd);
  EXPECT_EQ(CaptionText("x" + odd + "音"), "x" + odd);
  // A lead byte takes the byte after it along, whatever that is.
  EXPECT_EQ(CaptionText(std::string(200, 'x') + std::string(2000, '\x81')).size(),
            kMaxCaptionBytes);
}

}  // namespace
