// The catalogue client's text routines: the marker extractor and the code page conversions.
#include "catalogue/text_routines.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using catalogue::BodyText;
using catalogue::DecodeText;
using catalogue::EncodeText;
using catalogue::ExtractBetween;
using catalogue::kGbkCodePage;
using Pieces = std::vector<std::string>;

int g_pumpCalls = 0;
void CountingPump() { ++g_pumpCalls; }

Pieces Extract(const std::string& source, const std::string& left, const std::string& right) {
  Pieces out;
  const int n = ExtractBetween(source, left, right, out, nullptr);
  EXPECT_EQ(n, static_cast<int>(out.size()));
  return out;
}

TEST(ExtractBetween, TakesEveryPieceInOrderTrimmedAndSkipsEmptyOnes) {
  EXPECT_EQ(Extract("x[a]y[ b c ]z[]w[   ][d]", "[", "]"), (Pieces{"a", "b c", "d"}));
  // Only blanks are trimmed; other white space stays.
  EXPECT_EQ(Extract("[\ta\t]", "[", "]"), (Pieces{"\ta\t"}));
  // Markers are matched exactly, letter case included.
  EXPECT_EQ(Extract("<A>1</A><a>2</a>", "<a>", "</a>"), (Pieces{"2"}));
  // Multi-byte markers, and pieces that span lines.
  EXPECT_EQ(Extract("--{{one\r\ntwo}}--{{three}}", "{{", "}}"), (Pieces{"one\r\ntwo", "three"}));
}

TEST(ExtractBetween, StopsWhenAMarkerIsMissing) {
  EXPECT_EQ(Extract("", "[", "]"), Pieces{});
  EXPECT_EQ(Extract("no markers", "[", "]"), Pieces{});
  EXPECT_EQ(Extract("[a][b", "[", "]"), (Pieces{"a"}));
  EXPECT_EQ(Extract("a]b]", "[", "]"), Pieces{});
  // An empty left marker finds nothing (it would never move on).
  EXPECT_EQ(Extract("abc", "", "b"), Pieces{});
}

TEST(ExtractBetween, SearchesOnFromTheRightMarkerOrFromJustAfterAnEmptyPiece) {
  // After a piece the right marker may open the next one.
  EXPECT_EQ(Extract("<a<b<c", "<", "<"), (Pieces{"a", "b"}));
  // After an empty piece the search goes on just after the left marker, where the right
  // marker can start the next piece.
  EXPECT_EQ(Extract("<<x<", "<", "<"), (Pieces{"x"}));
}

TEST(ExtractBetween, EmptiesTheOutputAndLetsMessagesThroughOnEveryPass) {
  Pieces out{"old"};
  g_pumpCalls = 0;
  EXPECT_EQ(ExtractBetween("[a][ ][b]tail[", "[", "]", out, CountingPump), 2);
  EXPECT_EQ(out, (Pieces{"a", "b"}));
  EXPECT_EQ(g_pumpCalls, 3);  // two pieces and one empty one
  EXPECT_EQ(ExtractBetween("nothing", "[", "]", out, CountingPump), 0);
  EXPECT_TRUE(out.empty());
}

TEST(ExtractBetween, StaysLinearOnALongSourceWithManyEmptyPieces) {
  // Every right marker is also a left marker: a search that went back would never end.
  const std::string source(200000, '<');
  EXPECT_EQ(Extract(source, "<", "<"), Pieces{});
  std::string many;
  for (int i = 0; i < 20000; ++i) many += "[  ][" + std::to_string(i) + "]";
  const Pieces got = Extract(many, "[", "]");
  ASSERT_EQ(got.size(), 20000u);
  EXPECT_EQ(got.back(), "19999");
}

TEST(ExtractBetween, StaysLinearWhenTheLeftMarkerIsABlank) {
  // Every empty piece ends at the same far right marker: looking for it again on every pass
  // would take a million scans of a megabyte.
  const std::string source = std::string(1000000, ' ') + "x";
  EXPECT_EQ(Extract(source, " ", "x"), Pieces{});
  EXPECT_EQ(Extract(std::string(100000, ' ') + "a x b x", " ", "x"), (Pieces{"a", "b"}));
}

TEST(ExtractPieces, GivesTheSamePiecesAsViewsIntoTheSource) {
  const struct {
    std::string source, left, right;
  } cases[] = {
      {"x[a]y[ b c ]z[]w[   ][d]", "[", "]"},
      {"<a<b<c", "<", "<"},
      {"<<x<", "<", "<"},
      {"{title: 't', mp3: 'a'},{title: 'u', mp3: 'b',m4a: 'c'}", "{title: '", "',m4a: '"},
      {"aaaa", "aa", "aa"},
      {"abc", "", "b"},
      {"[a][b", "[", "]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    const std::vector<std::string_view> views =
        catalogue::ExtractPieces(c.source, c.left, c.right, nullptr);
    const Pieces copied = Extract(c.source, c.left, c.right);
    ASSERT_EQ(views.size(), copied.size());
    for (size_t i = 0; i < views.size(); ++i) {
      EXPECT_EQ(views[i], copied[i]);
      EXPECT_GE(views[i].data(), c.source.data());
      EXPECT_LE(views[i].data() + views[i].size(), c.source.data() + c.source.size());
    }
  }
}

// The edges name their code page: GBK for the data files, UTF-8 for the list, whatever the
// system's (936 here, so GBK bytes are written out and never left to the system).
TEST(CodePages, EachEdgeDecodesInItsOwnCodePage) {
  EXPECT_EQ(DecodeText("\xB8\xE8\xC7\xFA"
                       "1",
                       kGbkCodePage),
            L"歌曲1");
  EXPECT_EQ(DecodeText("\xE6\xAD\x8C\xEC\x95\x84 \xF0\x9F\x8E\xB5", CP_UTF8), L"歌아 \U0001F3B5");
  EXPECT_EQ(catalogue::FromUtf8("plain ascii"), L"plain ascii");
  EXPECT_EQ(DecodeText("", CP_UTF8), L"");
  // Only the text up to the first zero counts.
  EXPECT_EQ(DecodeText(std::string("ab\0cd", 5), kGbkCodePage), L"ab");
  // Bytes that are no UTF-8 are replaced, not dropped with what follows.
  const std::wstring converted = DecodeText("\xFF\xFE tail", CP_UTF8);
  ASSERT_GE(converted.size(), 5u);
  EXPECT_EQ(converted.substr(converted.size() - 5), L" tail");
}

// A text that the code page cannot hold gives no bytes at all rather than a best fit, which
// would name another file when read back.
TEST(CodePages, EncodingRefusesWhatTheCodePageCannotHold) {
  EXPECT_EQ(EncodeText(L"歌曲1.jpg", kGbkCodePage),
            "\xB8\xE8\xC7\xFA"
            "1.jpg");
  EXPECT_EQ(EncodeText(L"", kGbkCodePage), "");
  EXPECT_EQ(EncodeText(std::wstring(L"ab\0cd", 5), kGbkCodePage), "ab");
  EXPECT_FALSE(EncodeText(L"노을.jpg", kGbkCodePage));
  EXPECT_FALSE(EncodeText(L"\U0001F3B5", kGbkCodePage));
  EXPECT_EQ(EncodeText(L"노을 \U0001F3B5", CP_UTF8), catalogue::ToUtf8(L"노을 \U0001F3B5"));
  EXPECT_FALSE(EncodeText(std::wstring(1, wchar_t(0xD800)), CP_UTF8));  // a lone surrogate
  // Every character of the plane that GBK holds goes there and back unchanged.
  for (unsigned unit = 0x20; unit <= 0xFFFF; ++unit) {
    if (unit >= 0xD800 && unit <= 0xDFFF) continue;
    const std::wstring one(1, static_cast<wchar_t>(unit));
    if (const auto bytes = EncodeText(one, kGbkCodePage)) {
      ASSERT_EQ(DecodeText(*bytes, kGbkCodePage), one) << unit;
    }
  }
}

TEST(CodePages, ABodyIsTextUpToItsFirstZeroByte) {
  EXPECT_EQ(BodyText({'a', 'b', 0, 'c'}), "ab");
  EXPECT_EQ(BodyText({0xD6, 0xD0}), "\xD6\xD0");
  EXPECT_EQ(BodyText({}), "");
}

}  // namespace
