// The program's fixed texts, one table per language, and which language the user gets.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace app {

enum class Language { kChinese, kEnglish };

struct UiTexts {
  const wchar_t* songListHeader;
  const wchar_t* songEntry;  // followed by the song's number
  const wchar_t* changeBackground;
  const wchar_t* anotherBatch;
  const wchar_t* listLoop;
  const wchar_t* singleLoop;
  const wchar_t* download;
  const wchar_t* menuShow;
  const wchar_t* menuAbout;
  const wchar_t* menuUpdate;
  const wchar_t* menuExit;
  const wchar_t* menuOtherLanguage;  // switches to the other table, named in its own language
  const wchar_t* menuBalloons;
  const wchar_t* trayTip;
  const wchar_t* programTitle;  // of the messages that are no errors
  const wchar_t* aboutText;
  const wchar_t* fileDamaged;
  const wchar_t* pictureMissing;
  const wchar_t* backgroundChanged;
  const wchar_t* failed;
  const wchar_t* playing;
  const wchar_t* loading;
  const wchar_t* paused;
  const wchar_t* stopped;
  const wchar_t* play;
  const wchar_t* pause;
  const wchar_t* stop;
  const wchar_t* previousSong;  // the taskbar's thumbnail buttons
  const wchar_t* nextSong;
  const wchar_t* mute;
  const wchar_t* seek;
  const wchar_t* volume;    // followed by a blank and the volume
  const wchar_t* received;  // "received N bytes" is received + N + bytes
  const wchar_t* bytes;
  const wchar_t* downloading;  // followed by a blank and the file's name
  const wchar_t* noConnection;
  const wchar_t* noAnswer;
  const wchar_t* serverStatus;  // serverStatus + status + serverStatusEnd
  const wchar_t* serverStatusEnd;
  const wchar_t* cutShort;
  const wchar_t* tooLarge;
  const wchar_t* emptyAnswer;
  // Shown in the song list when no song came: why (followed by the folder or the address) and
  // what to do.
  const wchar_t* noSongsInFolder;
  const wchar_t* noSongsFromSite;
  const wchar_t* noSongsHint;
  const wchar_t* diskRefused;
  const wchar_t* stalled;  // stalled + seconds + stalledEnd
  const wchar_t* stalledEnd;
  const wchar_t* cannotPlay;
  const wchar_t* retrying;     // a failed song is tried again soon
  const wchar_t* gaveUp;       // the single loop tried three times
  const wchar_t* unreachable;  // the list loop stopped
  const wchar_t* fileGone;     // a folder's song is no longer there
  // The music source dialog, its tray-menu item, and why a choice was not kept.
  const wchar_t* menuSource;
  const wchar_t* sourcePrompt;
  const wchar_t* sourceBrowse;
  const wchar_t* sourceOk;
  const wchar_t* sourceCancel;
  const wchar_t* sourceNotASource;
  const wchar_t* sourceNoFolder;
  const wchar_t* sourceNothingPlayable;
  const wchar_t* sourceNoAnswer;
  const wchar_t* sourceNoList;
  const wchar_t* sourceNotWritten;
  const wchar_t* captionHelp;
  const wchar_t* captionMenu;
  const wchar_t* captionMinimize;
  const wchar_t* captionMaximize;
  const wchar_t* captionClose;
  // The face the skin draws captions and button texts in; the system's font linking supplies
  // what it lacks (a Korean title in either).
  const wchar_t* fontFace;
};

const UiTexts& TextsOf(Language language);

// Chinese for any Chinese user interface language, English for every other.
Language LanguageOfUi(LANGID uiLanguage);

// The language file (config\language.txt) holds "zh" or "en", in ASCII; anything else is no
// choice, and the user interface language decides.
std::optional<Language> ParseLanguageFile(std::string_view content);
std::string LanguageFileText(Language language);

// The language of this run: chosen once at start, changed from the tray menu.
class LanguageChoice {
 public:
  Language current() const { return current_; }
  const UiTexts& texts() const { return TextsOf(current_); }
  void Set(Language language) { current_ = language; }

 private:
  Language current_ = Language::kChinese;
};

// The application's choice, and its texts.
LanguageChoice& ProgramLanguage();
const UiTexts& Texts();

// Entry k of the visible song list: the header for 0, the song's entry for 1 to 9.
std::wstring VisibleEntry(int k, const UiTexts& texts = Texts());

}  // namespace app
