// The player's smoke in the locale its prefix runs in (VELORY_LOCALE: zh_CN, en_US or ja_JP, the
// code pages 936, 1252 and 932, where GBK bytes read as other characters), from a folder whose
// path holds non-ASCII characters: start, list, play a song, download it, change the picture,
// exit, and switch the language from the tray menu. One start of the player; the texts are the
// language the locale gives.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/windows/player_units.h"
#include "catalogue/http_get.h"
#include "skin/caption/glyph_fallback.h"
#include "tests/support/catalogue_service.h"
#include "tests/support/observe.h"
#include "tests/support/picture.h"
#include "tests/support/scratch.h"

namespace {

using namespace testing_support;

struct Texts {
  const char *header, *song1, *playing, *download, *background, *changed;
};
constexpr Texts kChinese{"双击操作", "歌曲1",    "歌曲1 正在播放",
                         "下 载",    "更换背景", "OK，重启生效"};
constexpr Texts kEnglish{"Songs",    "Song 1",  "Song 1 Playing",
                         "Download", "Picture", "OK, takes effect at the next start"};

// The bytes a GBK data file holds for the text, whatever this process's code page.
std::string Gbk(const std::string& utf8) {
  const std::wstring wide = Wide(utf8);
  std::string bytes(wide.size() * 2, '\0');
  bytes.resize(WideCharToMultiByte(936, 0, wide.c_str(), static_cast<int>(wide.size()),
                                   bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr));
  return bytes;
}

// The main window's caption as its painter announced it ("caption <window> right <x> buttons <x>
// \t<face>\t<text>"): the first from `from` on whose text is cut with an ellipsis, or not.
struct CaptionLine {
  long right = -1, buttons = -1;
  std::string face, shown;
};

CaptionLine WaitForCaption(const PlayerProcess& player, HWND main, size_t from, bool cut) {
  const std::string prefix = "caption " + std::to_string(reinterpret_cast<uintptr_t>(main)) + " ";
  CaptionLine c;
  const auto take = [&](const std::string& line) {
    const size_t face = line.find('\t'), shown = line.find('\t', face + 1);
    if (line.rfind(prefix, 0) != 0 || shown == std::string::npos) return false;
    std::sscanf(line.c_str() + prefix.size(), "right %ld buttons %ld", &c.right, &c.buttons);
    c.face = line.substr(face + 1, shown - face - 1);
    c.shown = line.substr(shown + 1);
    const std::string ellipsis = "\u2026";
    const bool ends =
        c.shown.size() > ellipsis.size() &&
        c.shown.compare(c.shown.size() - ellipsis.size(), ellipsis.size(), ellipsis) == 0;
    return !c.shown.empty() && ends == cut;
  };
  return player.events().WaitFor(take, from) < 0 ? CaptionLine{} : c;
}

void DoubleClickEntry(HWND list, int index) {
  const LRESULT height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
  const LPARAM at = MAKELPARAM(10, index * height + height / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
}

// Clicks the button, answers its file dialog and returns what the dialog suggested.
std::string ClickAndAnswer(const PlayerProcess& player, HWND button, const std::string& path) {
  PostMessageW(button, BM_CLICK, 0, 0);
  std::string suggested;
  return AnswerFileDialog(player, path, &suggested) ? suggested : "no file dialog";
}

TEST(LocaleSmoke, StartListPlayDownloadChangeThePictureAndExit) {
  const char* given = std::getenv("VELORY_LOCALE");
  const std::string locale = given ? given : "zh_CN";
  const Texts& t = locale == "zh_CN" ? kChinese : kEnglish;
  CatalogueService service(CataloguePort());
  ASSERT_TRUE(service.ready());
  const PlayerFolder dir = MakePlayerFolder("Locale " + locale + " é 音乐 ñ");
  const std::string picture = dir.folder + "\\我的 é 图片\\晚霞 é.jpg";
  WriteFileBytes(picture, BlockPictureBytes());

  PlayerProcess player(dir.folder);
  HWND main = player.WaitForMainWindow(40000);
  ASSERT_NE(main, nullptr) << player.WaitForMessageBox(100);
  // The caption comes from the shipped GBK title file and reads the same in every locale.
  EXPECT_EQ(WindowText(main), "Velory音乐播放器");
  // Drawn in a face that has its glyphs, where the code page links no font for them.
  const CaptionLine whole = WaitForCaption(player, main, 0, false);
  EXPECT_EQ(whole.shown, "Velory音乐播放器") << player.events().Dump();
  EXPECT_EQ(skin::MissingGlyphs(Wide(whole.face), Wide(whole.shown)), L"") << whole.face;

  HWND box = FindWindowExW(main, nullptr, L"Button", nullptr);
  HWND visible = nullptr, songs = nullptr;
  for (HWND l = FindWindowExW(box, nullptr, L"ListBox", nullptr); l;
       l = FindWindowExW(box, l, L"ListBox", nullptr)) {
    (IsWindowVisible(l) ? visible : songs) = l;
  }
  ASSERT_TRUE(visible && songs);
  const std::vector<std::string> entries = ListBoxItems(visible);
  ASSERT_EQ(entries.size(), 10u);
  EXPECT_EQ(entries[0], t.header);
  EXPECT_EQ(entries[1], t.song1);
  ASSERT_GE(ListBoxItems(songs).size(), 10u);
  const std::string song1 = ListBoxItem(songs, 1);
  EXPECT_EQ(song1.rfind(CatalogueBaseUrl(), 0), 0u) << song1;

  // A song plays; the face names it in the locale's language.
  DoubleClickEntry(visible, 1);
  HWND face = FindWindowExW(box, nullptr, L"VeloryMediaFace", nullptr);
  EXPECT_TRUE(WaitFor([&] { return WindowText(face).rfind(t.playing, 0) == 0; }, 20000))
      << WindowText(face);

  // Downloaded into the non-ASCII folder, whole.
  const std::string target = dir.folder + "\\下载 é.wav";
  // The dialog suggests the song's title (the service's first tone), its kind's extension kept.
  EXPECT_EQ(ClickAndAnswer(player, FindChild(box, "Button", t.download), target),
            "晨光 Morning Light.wav");
  const std::vector<uint8_t> song = catalogue::HttpGet(song1);
  ASSERT_GT(song.size(), 44u);
  EXPECT_TRUE(WaitFor(
      [&] { return ReadFileBytes(target) == std::string(song.begin(), song.end()); }, 15000));

  // A picture from a non-ASCII folder is copied and named in the GBK name file.
  EXPECT_EQ(ClickAndAnswer(player, FindChild(box, "Button", t.background), picture), "");
  HWND message = nullptr;
  EXPECT_EQ(player.WaitForMessageBox(10000, &message), t.changed);
  if (message) SendMessageW(message, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(ReadFileBytes(dir.Path("\\背景\\path.txt")), Gbk("晚霞 é.jpg"));
  EXPECT_EQ(ReadFileBytes(dir.Path("\\背景\\晚霞 é.jpg")), BlockPictureBytes());

  // The tray menu's other language: every unit takes it at once, and it is kept.
  PostMessageW(main, WM_COMMAND, app::kMenuLanguage, 0);
  const Texts& other = &t == &kChinese ? kEnglish : kChinese;
  EXPECT_TRUE(WaitFor([&] { return ListBoxItem(visible, 0) == other.header; }, 5000));
  EXPECT_NE(FindChild(box, "Button", other.download), nullptr);
  EXPECT_EQ(ReadFileBytes(dir.Path("\\config\\language.txt")), &t == &kChinese ? "en" : "zh");

  // At the smallest size the caption is cut with an ellipsis before its buttons.
  const size_t before = player.events().Count();
  SetWindowPos(main, nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const CaptionLine cut = WaitForCaption(player, main, before, true);
  ASSERT_NE(cut.buttons, -1) << player.events().Dump(before);
  EXPECT_LE(cut.right, cut.buttons) << cut.shown;

  player.Close();
  EXPECT_EQ(player.WaitForExit(), 0);
  EXPECT_NE(ReadFileBytes(dir.Path("\\config\\main.txt")).find('#'), std::string::npos);
}

}  // namespace
