#include "app/data/language.h"

#include "app/application.h"
#include "build_settings.h"

namespace app {
namespace {

constexpr UiTexts kChinese{
    .songListHeader = L"双击操作",
    .songEntry = L"歌曲",
    .changeBackground = L"更换背景",
    .anotherBatch = L"换一批",
    .listLoop = L"列表循环",
    .singleLoop = L"单曲循环",
    .download = L"下 载",
    .menuShow = L"显示",
    .menuAbout = L"关于",
    .menuUpdate = L"更新",
    .menuExit = L"退出",
    .menuOtherLanguage = L"English",
    .menuBalloons = L"新歌提示",
    .trayTip = L"Velory音乐播放器 V3.5",
    .programTitle = L"Velory音乐播放器",
    .aboutText = build_settings::kAboutText,
    .fileDamaged = L"文件顺坏!",
    .pictureMissing = L"找不到背景图片，请重新下载！",
    .backgroundChanged = L"OK，重启生效",
    .failed = L"失败！",
    .playing = L"正在播放",
    .loading = L"正在载入",
    .paused = L"已暂停",
    .stopped = L"已停止",
    .play = L"播放",
    .pause = L"暂停",
    .stop = L"停止",
    .previousSong = L"上一首",
    .nextSong = L"下一首",
    .mute = L"静音",
    .seek = L"进度",
    .volume = L"音量",
    .received = L"已收到 ",
    .bytes = L" 字节",
    .downloading = L"下载",
    .noConnection = L"无法连接服务器",
    .noAnswer = L"服务器没有及时应答",
    .serverStatus = L"服务器出错（状态 ",
    .serverStatusEnd = L"）",
    .cutShort = L"连接中断，文件不完整",
    .tooLarge = L"文件太大",
    .emptyAnswer = L"服务器没有发来内容",
    .noSongsInFolder = L"这个文件夹里没有能播放的歌曲：",
    .noSongsFromSite = L"音乐目录没有回应：",
    .noSongsHint = L"请在托盘菜单“音乐来源…”中选择你的音乐",
    .diskRefused = L"磁盘拒绝写入文件",
    .stalled = L"载入停滞（",
    .stalledEnd = L" 秒内几乎没有收到数据）",
    .cannotPlay = L"无法播放",
    .retrying = L"稍后重试",
    .gaveUp = L"试了三次，已放弃",
    .unreachable = L"无法连接曲库，连通后自动继续",
    .fileGone = L"文件已不在，跳过",
    .menuSource = L"音乐来源…",
    .sourcePrompt = L"音乐文件夹，或音乐目录网站的地址：",
    .sourceBrowse = L"浏览…",
    .sourceOk = L"确定",
    .sourceCancel = L"取消",
    .sourceNotASource =
        L"请填写一个完整的文件夹路径（如 D:\\音乐），或以 http:// 或 https:// 开头、以 / "
        L"结尾的地址。",
    .sourceNoFolder = L"找不到这个文件夹。原来的音乐来源不变。",
    .sourceNothingPlayable = L"这个文件夹里没有能播放的歌曲。原来的音乐来源不变。",
    .sourceNoAnswer = L"这个地址没有应答（拒绝连接或超时）。原来的音乐来源不变。",
    .sourceNoList = L"这个地址有应答，但没有发来歌曲列表。原来的音乐来源不变。",
    .sourceNotWritten = L"无法保存设置文件 config\\source.txt。原来的音乐来源不变。",
    .captionHelp = L"帮助",
    .captionMenu = L"主菜单",
    .captionMinimize = L"最小化",
    .captionMaximize = L"最大化",
    .captionClose = L"关闭",
    .fontFace = L"宋体",
};

constexpr UiTexts kEnglish{
    .songListHeader = L"Songs",
    .songEntry = L"Song ",
    .changeBackground = L"Picture",
    .anotherBatch = L"Refresh",
    .listLoop = L"Loop all",
    .singleLoop = L"Loop one",
    .download = L"Download",
    .menuShow = L"Show",
    .menuAbout = L"About",
    .menuUpdate = L"Update",
    .menuExit = L"Exit",
    .menuOtherLanguage = L"中文",
    .menuBalloons = L"Song notifications",
    .trayTip = L"Velory Music Player V3.5",
    .programTitle = L"Velory Music Player",
    .aboutText = build_settings::kAboutTextEnglish,
    .fileDamaged = L"A data file is missing!",
    .pictureMissing = L"The background picture cannot be found; please download it again!",
    .backgroundChanged = L"OK, takes effect at the next start",
    .failed = L"Failed!",
    .playing = L"Playing",
    .loading = L"Loading",
    .paused = L"Paused",
    .stopped = L"Stopped",
    .play = L"Play",
    .pause = L"Pause",
    .stop = L"Stop",
    .previousSong = L"Previous",
    .nextSong = L"Next",
    .mute = L"Mute",
    .seek = L"Position",
    .volume = L"Volume",
    .received = L"Received ",
    .bytes = L" bytes",
    .downloading = L"Downloading",
    .noConnection = L"The server cannot be reached",
    .noAnswer = L"The server did not answer in time",
    .serverStatus = L"Server error (status ",
    .serverStatusEnd = L")",
    .cutShort = L"The connection broke off; the file is incomplete",
    .tooLarge = L"The file is too large",
    .emptyAnswer = L"The server sent nothing",
    .noSongsInFolder = L"No song the player can play in this folder:",
    .noSongsFromSite = L"The music catalogue did not answer:",
    .noSongsHint = L"Choose your music with the tray menu's \"Music source…\"",
    .diskRefused = L"The disk refused the file",
    .stalled = L"Loading stalled (almost nothing arrived in ",
    .stalledEnd = L" s)",
    .cannotPlay = L"Cannot be played",
    .retrying = L"trying again soon",
    .gaveUp = L"tried three times, given up",
    .unreachable = L"the catalogue cannot be reached; goes on when it answers",
    .fileGone = L"The file is gone; passed over",
    .menuSource = L"Music source…",
    .sourcePrompt = L"A music folder, or a music catalogue's address:",
    .sourceBrowse = L"Browse…",
    .sourceOk = L"OK",
    .sourceCancel = L"Cancel",
    .sourceNotASource =
        L"Give a whole folder path (such as D:\\Music), or an address starting "
        L"with http:// or https:// and ending in /.",
    .sourceNoFolder = L"This folder cannot be found. The music source stays as it was.",
    .sourceNothingPlayable =
        L"This folder holds no song the player can play. The music source stays as it was.",
    .sourceNoAnswer =
        L"This address did not answer (refused or timed out). The music source "
        L"stays as it was.",
    .sourceNoList =
        L"This address answered, but with no song list. The music source stays as "
        L"it was.",
    .sourceNotWritten =
        L"The setting file config\\source.txt cannot be written. The music source stays as it was.",
    .captionHelp = L"Help",
    .captionMenu = L"Main menu",
    .captionMinimize = L"Minimize",
    .captionMaximize = L"Maximize",
    .captionClose = L"Close",
    .fontFace = L"Tahoma",
};

}  // namespace

const UiTexts& TextsOf(Language language) {
  return language == Language::kEnglish ? kEnglish : kChinese;
}

Language LanguageOfUi(LANGID uiLanguage) {
  return PRIMARYLANGID(uiLanguage) == LANG_CHINESE ? Language::kChinese : Language::kEnglish;
}

std::optional<Language> ParseLanguageFile(std::string_view content) {
  const size_t end = content.find_last_not_of(" \t\r\n");
  content = end == std::string_view::npos ? std::string_view() : content.substr(0, end + 1);
  content.remove_prefix(std::min(content.find_first_not_of(" \t\r\n"), content.size()));
  if (content == "zh") return Language::kChinese;
  if (content == "en") return Language::kEnglish;
  return std::nullopt;
}

std::string LanguageFileText(Language language) {
  return language == Language::kEnglish ? "en" : "zh";
}

std::wstring VisibleEntry(int k, const UiTexts& texts) {
  return k == 0 ? std::wstring(texts.songListHeader) : texts.songEntry + std::to_wstring(k);
}

LanguageChoice& ProgramLanguage() { return App().language; }

const UiTexts& Texts() {
  // Before the application is made the program speaks its first language.
  return HasApp() ? App().language.texts() : TextsOf(Language::kChinese);
}

}  // namespace app
