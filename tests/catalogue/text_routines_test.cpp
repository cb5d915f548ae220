// The catalogue client's text routines: the marker extractor and the code page conversions.
#include "catalogue/text_routines.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using catalogue::BodyText;
using catalogue::ExtractBetween;
using catalogue::FromWideText;
using catalogue::ToWideText;
using catalogue::Utf8ToGbk;
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

TEST(CodePages, Utf8BecomesGbk) {
  // Narrow literals of this file are GBK; the u8 ones stay UTF-8.
  const std::string utf8 = reinterpret_cast<const char*>(u8"中文 歌曲 'x' abc");
  EXPECT_EQ(Utf8ToGbk(utf8), "中文 歌曲 'x' abc");
  EXPECT_EQ(Utf8ToGbk("plain ascii"), "plain ascii");
  EXPECT_EQ(Utf8ToGbk(""), "");
  // Bytes that are no UTF-8 are replaced, not dropped with what follows.
  const std::string converted = Utf8ToGbk("\xFF\xFE tail");
  ASSERT_GE(converted.size(), 5u);
  EXPECT_EQ(converted.substr(converted.size() - 5), " tail");
}

// The one-pass conversion against the system's two: the same bytes for every character of the
// Basic Multilingual Plane and for text it leaves to the system.
TEST(CodePages, OnePassGivesTheSystemsBytes) {
  const auto bySystem = [](const std::string& t) { return FromWideText(ToWideText(t), 936); };
  std::wstring plane;
  for (unsigned unit = 1; unit <= 0xFFFF; ++unit) {
    if (unit < 0xD800 || unit > 0xDFFF) plane += static_cast<wchar_t>(unit);
  }
  std::string everything(plane.size() * 3, '\0');
  everything.resize(WideCharToMultiByte(CP_UTF8, 0, plane.data(), static_cast<int>(plane.size()),
                                        everything.data(), static_cast<int>(everything.size()),
                                        nullptr, nullptr));
  ASSERT_GT(everything.size(), 150000u);
  EXPECT_TRUE(Utf8ToGbk(everything) == bySystem(everything));
  for (const std::string& text : std::vector<std::string>{
           "\xF0\x9F\x8E\xB5 4-byte", "\xC0\xAF overlong", "\xED\xA0\x80 surrogate", "cut \xE4\xB8",
           "cut \xE4", "lone \x80 continuation", "\xEF\xBB\xBF bom", std::string("zero\0after", 10),
           "\xE4\xB8\xAD\xE6\x96\x87"}) {
    EXPECT_EQ(Utf8ToGbk(text), bySystem(text)) << text;
  }
}

TEST(CodePages, HalvesConvertThroughUtf16) {
  const std::wstring wide = ToWideText(reinterpret_cast<const char*>(u8"歌曲1"));
  EXPECT_EQ(std::wstring(wide.c_str()), L"歌曲1");
  // The buffer is sized by the system code page pass and holds its terminating zero.
  EXPECT_GE(wide.size(), 4u);
  EXPECT_EQ(wide.back(), L'\0');
  EXPECT_EQ(std::wstring(ToWideText("歌曲", 936).c_str()), L"歌曲");

  EXPECT_EQ(FromWideText(L"歌曲1", 936), "歌曲1");
  EXPECT_EQ(FromWideText(L"歌曲1"), "歌曲1");  // the system code page is 936 here
  EXPECT_EQ(FromWideText(L"ab", CP_UTF8), "ab");
  // Only the text up to the first zero counts.
  EXPECT_EQ(FromWideText(std::wstring(L"ab\0cd", 5), 936), "ab");
  EXPECT_EQ(FromWideText(L""), "");
}

TEST(CodePages, ABodyIsTextUpToItsFirstZeroByte) {
  EXPECT_EQ(BodyText({'a', 'b', 0, 'c'}), "ab");
  EXPECT_EQ(BodyText({0xD6, 0xD0}), "\xD6\xD0");
  EXPECT_EQ(BodyText({}), "");
}

}  // namespace
