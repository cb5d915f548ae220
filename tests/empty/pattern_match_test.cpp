#include "tools/empty/pattern_match.h"

#include <gtest/gtest.h>

namespace empty_tool {
namespace {

TEST(PatternMatch, LiteralsMustCoverTheWholeTextAndIgnoreItsCase) {
  EXPECT_TRUE(MatchesPattern("NOTEPAD", "notepad"));
  EXPECT_TRUE(MatchesPattern("NOTEPAD", "NotePad"));
  EXPECT_FALSE(MatchesPattern("NOTEPAD", "notepad.exe"));
  EXPECT_FALSE(MatchesPattern("NOTEPAD", "mynotepad"));
  EXPECT_FALSE(MatchesPattern("NOTEPAD", "notepa"));
  EXPECT_FALSE(MatchesPattern("", "x"));
  EXPECT_TRUE(MatchesPattern("", ""));
  // The pattern itself is compared as written: the tool upper-cases it before.
  EXPECT_FALSE(MatchesPattern("notepad", "notepad"));
  // Only the letters a to z change case; other bytes, also those of double-byte characters,
  // compare as they are.
  EXPECT_TRUE(MatchesPattern("歌曲_1", "歌曲_1"));
  EXPECT_FALSE(MatchesPattern("\xC0", "\xE0"));
  EXPECT_EQ(UpperCase("ab-z_09{}"), "AB-Z_09{}");
}

TEST(PatternMatch, StarsMatchAnyRunIncludingNone) {
  EXPECT_TRUE(MatchesPattern("*", ""));
  EXPECT_TRUE(MatchesPattern("*", "anything.exe"));
  EXPECT_TRUE(MatchesPattern("NOTE*", "notepad"));
  EXPECT_TRUE(MatchesPattern("NOTE*", "note"));
  EXPECT_TRUE(MatchesPattern("*PAD", "notepad"));
  EXPECT_TRUE(MatchesPattern("N*P*D", "notepad"));
  EXPECT_TRUE(MatchesPattern("**PAD**", "notepad"));
  EXPECT_FALSE(MatchesPattern("*PAD", "notepads"));
  EXPECT_FALSE(MatchesPattern("NOTE*X", "notepad"));
  // The star has to give back what it took when the tail fails further on.
  EXPECT_TRUE(MatchesPattern("*AB*ABC", "xabyabababc"));
  EXPECT_FALSE(MatchesPattern("*AB*ABC", "xabyababab"));
  EXPECT_TRUE(MatchesPattern("*.EXE", "a.b.exe"));
}

TEST(PatternMatch, QuestionMarkIsExactlyOneCharacter) {
  EXPECT_TRUE(MatchesPattern("NOTEP?D", "notepad"));
  EXPECT_TRUE(MatchesPattern("???", "abc"));
  EXPECT_FALSE(MatchesPattern("???", "ab"));
  EXPECT_FALSE(MatchesPattern("???", "abcd"));
  EXPECT_FALSE(MatchesPattern("?", ""));
  EXPECT_TRUE(MatchesPattern("?*", "a"));
  EXPECT_FALSE(MatchesPattern("?*", ""));
  EXPECT_TRUE(MatchesPattern("-?", "-x"));
  EXPECT_FALSE(MatchesPattern("-?", "/x"));
}

TEST(PatternMatch, SetsHoldSingleCharactersAndRanges) {
  EXPECT_TRUE(MatchesPattern("[ABC]X", "bx"));
  EXPECT_FALSE(MatchesPattern("[ABC]X", "dx"));
  EXPECT_TRUE(MatchesPattern("APP[0-9]", "app7"));
  EXPECT_FALSE(MatchesPattern("APP[0-9]", "appx"));
  EXPECT_FALSE(MatchesPattern("APP[0-9]", "app10"));
  EXPECT_TRUE(MatchesPattern("APP[0-9][0-9]", "app10"));
  EXPECT_TRUE(MatchesPattern("[A-CX-Z_]", "y"));
  EXPECT_TRUE(MatchesPattern("[A-CX-Z_]", "_"));
  EXPECT_FALSE(MatchesPattern("[A-CX-Z_]", "m"));
  // Text is upper-cased before the set is asked.
  EXPECT_TRUE(MatchesPattern("[M-P]", "n"));
  // A range written backwards still covers the characters between its ends.
  EXPECT_TRUE(MatchesPattern("[Z-A]", "q"));
  // A hyphen at either end of the set stands for itself.
  EXPECT_TRUE(MatchesPattern("[-A]", "-"));
  EXPECT_TRUE(MatchesPattern("[A-]", "-"));
  EXPECT_FALSE(MatchesPattern("[A-]", "b"));
  // "*" and "?" are ordinary members inside a set.
  EXPECT_TRUE(MatchesPattern("[*?]", "?"));
  EXPECT_FALSE(MatchesPattern("[*?]", "a"));
  // An empty set matches nothing; a set is one character, also next to a star.
  EXPECT_FALSE(MatchesPattern("[]", "a"));
  EXPECT_TRUE(MatchesPattern("*[0-9]", "setup2"));
  EXPECT_FALSE(MatchesPattern("*[0-9]", "setup2a"));
  // Bytes above 127 in ranges compare as unsigned.
  EXPECT_TRUE(MatchesPattern("[\x81-\xFE]", "\xB8"));
}

TEST(PatternMatch, UnclosedSetRunsToTheEndOfThePattern) {
  EXPECT_TRUE(MatchesPattern("A[BC", "ab"));
  EXPECT_TRUE(MatchesPattern("A[BC", "ac"));
  EXPECT_FALSE(MatchesPattern("A[BC", "abc"));
  EXPECT_FALSE(MatchesPattern("A[", "a"));
  EXPECT_FALSE(MatchesPattern("A[", "a["));
}

TEST(PatternMatch, LongAdversarialInputEndsQuickly) {
  // Many stars against a long text that fails at the very end would explode a naive
  // backtracking matcher.
  const std::string pattern = "*A*A*A*A*A*A*A*A*A*A*A*A*A*A*A*A*B";
  const std::string text(4000, 'a');
  EXPECT_FALSE(MatchesPattern(pattern, text));
  EXPECT_TRUE(MatchesPattern(pattern, text + "b"));
}

}  // namespace
}  // namespace empty_tool
