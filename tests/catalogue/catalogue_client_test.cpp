// The catalogue fetch against a scripted site: what it asks for and what it appends.
#include "catalogue/catalogue_client.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "catalogue/song_titles.h"

namespace {

using Entries = std::vector<std::string>;

const std::string kBase = "http://catalogue.test/";

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// A site that answers from a table, remembering every address asked for; unknown addresses
// fail (an empty body).
struct FakeSite {
  std::map<std::string, std::string> pages;
  std::vector<std::string> asked;

  std::vector<uint8_t> Get(const std::string& url) {
    asked.push_back(url);
    const auto it = pages.find(url);
    if (it == pages.end()) return {};
    return std::vector<uint8_t>(it->second.begin(), it->second.end());
  }
};

std::string HomePage(const std::string& token, const std::string& lineEnd = "\r\n") {
  return "<html>\r\n<script type=\"text/javascript\" src=\"list.ashx?rnd=" + token +
         "\"></script>" + lineEnd + "</html>\r\n";
}

std::string Record(const std::string& title, const std::string& relative) {
  return "{title: '" + title + "', mp3: '" + relative + "',m4a: 'mp3.ashx?id=0'}";
}

std::string ListOf(int count, const std::string& separator = ",\r\n") {
  std::string list = "var songs = [";
  for (int i = 1; i <= count; ++i) {
    if (i > 1) list += separator;
    list += Record(U8(u8"歌 ") + std::to_string(i), "mp3.ashx?id=" + std::to_string(i));
  }
  return list + "];";
}

Entries Addresses(int first, int last) {
  Entries out;
  for (int i = first; i <= last; ++i) out.push_back(kBase + "mp3.ashx?id=" + std::to_string(i));
  return out;
}

Entries WithHeader(Entries addresses) {
  addresses.insert(addresses.begin(), "双击操作");
  return addresses;
}

int g_pumpCalls = 0;
void CountingPump() { ++g_pumpCalls; }

class FetchCatalogueTest : public ::testing::Test {
 protected:
  void Fetch() {
    catalogue::FetchCatalogue(
        kBase, [this](const std::string& url) { return site.Get(url); },
        [this](const std::string& entry) { list.push_back(entry); }, CountingPump,
        [this](const std::string& address, std::wstring title) {
          titles.push_back(address + " = " + catalogue::ToUtf8(title));
        });
  }
  void Serve(const std::string& token, const std::string& listBody) {
    site.pages[kBase] = HomePage(token);
    site.pages[kBase + "list.ashx?rnd=" + token] = listBody;
  }
  const std::vector<std::string> kAllThree = {kBase, kBase + "list.ashx?rnd=T1", kBase};

  FakeSite site;
  Entries list;
  Entries titles;  // "address = title"
};

TEST_F(FetchCatalogueTest, TwelveRecordsGiveTheHeaderAndTwelveAddressesFromThreeRequests) {
  Serve("T1", ListOf(12));
  catalogue::songAddress.clear();
  g_pumpCalls = 0;
  Fetch();
  EXPECT_EQ(list, WithHeader(Addresses(1, 12)));
  EXPECT_EQ(site.asked, kAllThree);
  EXPECT_EQ(catalogue::songAddress, kBase + "mp3.ashx?id=12");
  EXPECT_GE(g_pumpCalls, 13);  // the window is kept alive while the list is read
}

TEST_F(FetchCatalogueTest, RecordsParseTheSameWithLineBreaksOrNothingBetweenThem) {
  Serve("T1", ListOf(5, "\r\n"));
  Fetch();
  Serve("T1", ListOf(5, ""));
  Fetch();
  Entries twice = WithHeader(Addresses(1, 5));
  const Entries again = twice;
  twice.insert(twice.end(), again.begin(), again.end());
  // Two fetches in a row append a second header and a second set.
  EXPECT_EQ(list, twice);
}

TEST_F(FetchCatalogueTest, TheFirstOfTwoTokensFormsTheListAddress) {
  site.pages[kBase] = HomePage("FIRST") + HomePage("SECOND");
  site.pages[kBase + "list.ashx?rnd=FIRST"] = ListOf(2);
  Fetch();
  EXPECT_EQ(list, WithHeader(Addresses(1, 2)));
  EXPECT_EQ(site.asked[1], kBase + "list.ashx?rnd=FIRST");
}

TEST_F(FetchCatalogueTest, AHomePageWithoutAUsableReferenceEndsTheFetchAfterOneRequest) {
  const std::string token = "T1";
  const std::string upper =
      "<SCRIPT TYPE=\"TEXT/JAVASCRIPT\" SRC=\"LIST.ASHX?RND=T1\"></SCRIPT>\r\n";
  for (const std::string& page : {std::string(), std::string("<html>no list here</html>"), upper,
                                  HomePage(token, "\n"), HomePage("   ")}) {
    site = FakeSite{};
    site.pages[kBase] = page;
    site.pages[kBase + "list.ashx?rnd=T1"] = ListOf(3);
    list = {"kept"};
    Fetch();
    EXPECT_EQ(list, Entries{"kept"}) << page;
    EXPECT_EQ(site.asked, Entries{kBase}) << page;
  }
}

TEST_F(FetchCatalogueTest, AnUnreachableSiteAppendsNothing) {
  Fetch();
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(site.asked, Entries{kBase});
}

TEST_F(FetchCatalogueTest, AListWithoutRecordsGivesTheHeaderAloneAndTheFinalRequest) {
  const std::string blankBeforeM4a =
      "{title: 'a', mp3: 'mp3.ashx?id=1', m4a: 'mp3.ashx?id=1'},"
      "{title: 'b', mp3: 'mp3.ashx?id=2', m4a: 'mp3.ashx?id=2'}";
  for (const std::string& body : {std::string(), std::string("garbage"), blankBeforeM4a}) {
    site = FakeSite{};
    Serve("T1", body);
    list.clear();
    Fetch();
    EXPECT_EQ(list, Entries{"双击操作"}) << body;
    EXPECT_EQ(site.asked, kAllThree) << body;
  }
  // A list address that fails is the same to the client.
  site = FakeSite{};
  site.pages[kBase] = HomePage("T1");
  list.clear();
  Fetch();
  EXPECT_EQ(list, Entries{"双击操作"});
  EXPECT_EQ(site.asked, kAllThree);
}

TEST_F(FetchCatalogueTest, SpacesAroundARecordGoButSpacesInsideTheAddressStay) {
  Serve("T1",
        "{title: '   padded', mp3: 'mp3.ashx?id=1 2   ',m4a: 'mp3.ashx?id=1'}"
        "{title: '   ',m4a: 'mp3.ashx?id=9'}"  // blanks only: no record
        "{title: 'b', mp3: ' mp3.ashx?id=3',m4a: 'mp3.ashx?id=3'}");
  Fetch();
  EXPECT_EQ(list, (Entries{"双击操作", kBase + "mp3.ashx?id=1 2", kBase + " mp3.ashx?id=3"}));
}

// The list is UTF-8 and stays whole: no code page between it and the program loses a character.
TEST_F(FetchCatalogueTest, TitlesAndAddressesOfAnyScriptArriveWhole) {
  Serve("T1", Record(U8(u8"晨光 'Morning' 中文"), "mp3.ashx?id=1") + "," +
                  Record(U8(u8"아침 이슬 \U0001F3B5"), U8(u8"mp3.ashx?id=歌曲")));
  Fetch();
  EXPECT_EQ(list, (Entries{"双击操作", kBase + "mp3.ashx?id=1", kBase + "mp3.ashx?id=歌曲"}));
  EXPECT_EQ(titles, (Entries{kBase + "mp3.ashx?id=1 = 晨光 'Morning' 中文",
                             kBase + "mp3.ashx?id=歌曲 = 아침 이슬 \U0001F3B5"}));
}

TEST_F(FetchCatalogueTest, TheAddressFollowsTheFirstMarkerAndARecordWithoutOneIsLeftOut) {
  Serve("T1", "{title: 'no address',m4a: 'mp3.ashx?id=1'}," +
                  Record("It\\'s", "mp3.ashx?id=2") +  // an escaped quote in the title
                  ",{title: 'a', mp3: 'x', mp3: 'y',m4a: 'mp3.ashx?id=3'}" +
                  ",{title: 'ends', mp3: '',m4a: 'mp3.ashx?id=4'}");
  Fetch();
  EXPECT_EQ(list, (Entries{"双击操作", kBase + "mp3.ashx?id=2", kBase + "x', mp3: 'y", kBase}));
}

// Titles are kept beside their addresses as plain one-line text of bounded length.
TEST_F(FetchCatalogueTest, EachSongsTitleIsKeptBesideItsAddressCleanedAndCut) {
  std::string huge;
  for (int i = 0; i < 35000; ++i) huge += U8(u8"歌");  // 105 KB
  std::string longCut;
  for (int i = 0; i < 39; ++i) longCut += "歌";
  Serve("T1", Record(U8(u8"晨光 'Morning'"), "mp3.ashx?id=1") +
                  Record("It\\'s \\\\ <b>&amp;</b>", "mp3.ashx?id=2") +
                  "{title: 'no address',m4a: 'mp3.ashx?id=9'}" + Record(huge, "mp3.ashx?id=3") +
                  Record("", "mp3.ashx?id=4") + Record("line\\nbreak\ttab", "mp3.ashx?id=1"));
  Fetch();
  EXPECT_EQ(titles, (Entries{kBase + "mp3.ashx?id=1 = 晨光 'Morning'",
                             kBase + "mp3.ashx?id=2 = It's \\ <b>&amp;</b>",
                             kBase + "mp3.ashx?id=3 = " + longCut + "…", kBase + "mp3.ashx?id=4 = ",
                             kBase + "mp3.ashx?id=1 = line break tab"}));

  // Only the first songs of a long list have their titles kept.
  std::string many;
  for (int i = 1; i <= catalogue::kTitlesPerBatch + 5; ++i) many += Record("t", "mp3.ashx?id=7");
  Serve("T2", many);
  titles.clear();
  Fetch();
  EXPECT_EQ(titles.size(), static_cast<size_t>(catalogue::kTitlesPerBatch));
}

TEST(CleanTitle, OneLineOfPlainTextCutOnACharacterBoundary) {
  const std::wstring fifty(50, L'歌'), thirtyNine(39, L'歌');
  std::wstring pairs;  // a character outside the Basic Multilingual Plane is two units
  for (int i = 0; i < 30; ++i) pairs += L"\U0001F3B5";
  const struct {
    std::wstring raw, shown;
  } cases[] = {
      {L"  padded  ", L"padded"},
      {L"\x01"
       L"a\x7F"
       L"b\x85\r\n",
       L"a b"},  // control characters become blanks
      {L"\\n\\tlead", L"lead"},
      {L"a\\'b\\\"c\\\\d\\x", L"a'b\"c\\dx"},
      {L"노을 \\'빛\\'", L"노을 '빛'"},
      {std::wstring(100, L'x'), std::wstring(39, L'x') + L"…"},
      {std::wstring(40, L'x'), std::wstring(40, L'x')},
      {fifty, thirtyNine + L"…"},
      {L"a" + pairs, L"a" + pairs.substr(0, 38) + L"…"},  // not the first half of a pair alone
      {std::wstring(38, L'x') + L"   " + L"y", std::wstring(38, L'x') + L"…"},
      {std::wstring(1000000, L' '), L""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(catalogue::CleanTitle(c.raw), c.shown) << catalogue::ToUtf8(c.raw.substr(0, 40));
}

TEST(SongTitles, ABatchThatBringsTitlesReplacesTheKeptOnes) {
  catalogue::SongTitles titles;
  titles.BeginBatch();
  titles.Keep("a", L"A");
  titles.Keep("a", L"again");  // the first of an address counts
  titles.Keep("b", L"B");
  EXPECT_EQ(titles.Of("a"), L"A");
  titles.BeginBatch();  // a fetch that brings nothing keeps them
  EXPECT_EQ(titles.Of("b"), L"B");
  titles.Keep("c", L"C");
  EXPECT_EQ(titles.Of("a"), L"");
  EXPECT_EQ(titles.Of("c"), L"C");
}

}  // namespace
