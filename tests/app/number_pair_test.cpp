#include "app/data/number_pair.h"

#include <gtest/gtest.h>

#include <climits>

namespace app {
namespace {

TEST(NumberPair, ReadsDesignValuesAndLineEnds) {
  EXPECT_EQ(ReadNumberPair("18#16").first, 18);
  EXPECT_EQ(ReadNumberPair("18#16").second, 16);
  const NumberPair crlf = ReadNumberPair("18#16\r\n");
  EXPECT_EQ(crlf.first, 18);
  EXPECT_EQ(crlf.second, 16);
  const NumberPair size = ReadNumberPair("634#388");
  EXPECT_EQ(size.first, 634);
  EXPECT_EQ(size.second, 388);
}

TEST(NumberPair, SplitsAtTheFirstHashOnly) {
  const NumberPair p = ReadNumberPair("1000#5");
  EXPECT_EQ(p.first, 1000);
  EXPECT_EQ(p.second, 5);
  const NumberPair twice = ReadNumberPair("7#8#9");
  EXPECT_EQ(twice.first, 7);
  EXPECT_EQ(twice.second, 8);
}

TEST(NumberPair, MissingPartsGiveZeroOrTheWholeText) {
  const NumberPair noHash = ReadNumberPair("300");
  EXPECT_EQ(noHash.first, 300);
  EXPECT_EQ(noHash.second, 300);
  const NumberPair leading = ReadNumberPair("#40");
  EXPECT_EQ(leading.first, 0);
  EXPECT_EQ(leading.second, 40);
  const NumberPair empty = ReadNumberPair("");
  EXPECT_EQ(empty.first, 0);
  EXPECT_EQ(empty.second, 0);
  const NumberPair words = ReadNumberPair("abc#x12");
  EXPECT_EQ(words.first, 0);
  EXPECT_EQ(words.second, 0);
}

TEST(NumberPair, NegativeAndFractionalValuesTruncateTowardZero) {
  const NumberPair p = ReadNumberPair("-20#-3");
  EXPECT_EQ(p.first, -20);
  EXPECT_EQ(p.second, -3);
  EXPECT_EQ(LeadingNumber("18.9"), 18);
  EXPECT_EQ(LeadingNumber("-18.9"), -18);
  EXPECT_EQ(LeadingNumber("-0.5"), 0);
  EXPECT_EQ(LeadingNumber(" 42"), 42);
  EXPECT_EQ(LeadingNumber("-"), 0);
  EXPECT_EQ(LeadingNumber("+7"), 7);
}

TEST(NumberPair, ValuesBeyondThirtyTwoBitsAreClamped) {
  EXPECT_EQ(LeadingNumber("2147483647"), INT_MAX);
  EXPECT_EQ(LeadingNumber("2147483648"), INT_MAX);
  EXPECT_EQ(LeadingNumber("-2147483648"), INT_MIN);
  EXPECT_EQ(LeadingNumber("-2147483649"), INT_MIN);
  EXPECT_EQ(LeadingNumber("99999999999999999999999999999"), INT_MAX);
  EXPECT_EQ(LeadingNumber("-99999999999999999999999999999.5"), INT_MIN);
}

TEST(NumberPair, WritesExactlyTheTwoNumbersAndOneHash) {
  EXPECT_EQ(FormatNumberPair(18, 16), "18#16");
  EXPECT_EQ(FormatNumberPair(-5, 0), "-5#0");
  EXPECT_EQ(FormatNumberPair(INT_MIN, INT_MAX), "-2147483648#2147483647");
  for (int a : {-300, -1, 0, 1, 634, 100000}) {
    const NumberPair back = ReadNumberPair(FormatNumberPair(a, -a));
    EXPECT_EQ(back.first, a);
    EXPECT_EQ(back.second, -a);
  }
}

}  // namespace
}  // namespace app
