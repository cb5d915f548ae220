// Titles from untrusted tags and names: valid UTF-8, one line, bounded.
#include "titles.h"

#include <gtest/gtest.h>

#include "pages.h"

namespace catalogue_service {
namespace {

TEST(Titles, InvalidBytesControlsAndLengthAreMadeSafe) {
  EXPECT_EQ(CleanText("ok \xC3\xA9 \xE6\xAD\x8C"), "ok \xC3\xA9 \xE6\xAD\x8C");
  // A stray byte, an overlong slash, a surrogate, a cut sequence at the end.
  EXPECT_EQ(CleanText("a\xFF"
                      "b\xC0\xAF"
                      "c\xED\xA0\x80"
                      "d\xE6\xAD"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD\xEF\xBF\xBD"
            "c\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
            "d\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(CleanText(std::string("\tline\r\none\0two ", 15)), "line  one two");
  // Cut on a character boundary: 3-byte characters, at most 10 bytes.
  EXPECT_EQ(CleanText("\xE6\xAD\x8C\xE6\xAD\x8C\xE6\xAD\x8C\xE6\xAD\x8C", 10),
            "\xE6\xAD\x8C\xE6\xAD\x8C\xE6\xAD\x8C");
  EXPECT_EQ(CleanText(std::string(100000, 'x')).size(), kTitleMaxBytes);
  EXPECT_EQ(DisplayTitle(" ", "  ", "stem"), "stem");
  EXPECT_EQ(DisplayTitle("", "T", "stem"), "T");
  EXPECT_EQ(DisplayTitle("A", "T", "stem"), "A - T");
}

}  // namespace
}  // namespace catalogue_service
