#include "app/data/source_setting.h"

#include <shellapi.h>
#include <windows.h>

#include "app/announcer.h"
#include "app/data/data_files.h"
#include "app/data/language.h"
#include "catalogue/text_routines.h"

namespace app {

catalogue::MusicSource ReadSourceSetting() {
  const std::vector<uint8_t> bytes =
      ReadFileBytes(DataPath(kSourceFile), catalogue::kMaxSourceBytes);
  return catalogue::ParseSource(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool WriteSourceSetting(const catalogue::MusicSource& source) {
  return WriteWholeFile(DataPath(kSourceFile), catalogue::SourceText(source));
}

SourceArgument SourceFromCommandLine(const std::wstring& commandLine) {
  SourceArgument argument;
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(commandLine.c_str(), &count);
  if (!words) return argument;
  for (int i = 1; i < count; ++i) {
    if (_wcsicmp(words[i], L"/source") != 0 && _wcsicmp(words[i], L"-source") != 0) continue;
    argument.given = true;
    if (i + 1 < count) {
      argument.source = catalogue::ParseSource(catalogue::ToUtf8(words[i + 1]));
      argument.valid = argument.source.kind != catalogue::MusicSource::Kind::kBuiltIn;
    }
    break;
  }
  LocalFree(words);
  return argument;
}

bool KeepSourceFromRemote(const std::wstring& value) {
  const catalogue::MusicSource source = catalogue::ParseSource(catalogue::ToUtf8(value));
  if (source.kind == catalogue::MusicSource::Kind::kBuiltIn) {
    Announce().Say("source argument refused");
    return false;
  }
  return WriteSourceSetting(source);
}

catalogue::MusicSource StartSource() {
  const SourceArgument argument = SourceFromCommandLine(GetCommandLineW());
  if (argument.given && !argument.valid) Announce().Say("source argument refused");
  if (argument.valid) {
    if (!WriteSourceSetting(argument.source)) Announce().Say("source setting not written");
    return argument.source;
  }
  return ReadSourceSetting();
}

void AnnounceSource(const catalogue::SourceCatalogue& catalogue) {
  if (!Announce().on()) return;
  const catalogue::MusicSource& source = catalogue.source();
  switch (source.kind) {
    case catalogue::MusicSource::Kind::kFolder:
      Announce().Say("source folder ", catalogue.folderSongs(), " ",
                     catalogue::ToUtf8(source.value));
      break;
    case catalogue::MusicSource::Kind::kAddress:
      Announce().Say("source address ", catalogue.SiteAddress());
      break;
    case catalogue::MusicSource::Kind::kBuiltIn:
      Announce().Say("source built-in");
      break;
  }
}

namespace {

std::wstring WhereFrom(const catalogue::SourceCatalogue& catalogue) {
  const catalogue::MusicSource& source = catalogue.source();
  return source.kind == catalogue::MusicSource::Kind::kFolder
             ? source.value
             : catalogue::FromUtf8(catalogue.SiteAddress());
}

const wchar_t* WhyNoSongs(const catalogue::SourceCatalogue& catalogue) {
  return catalogue.source().kind == catalogue::MusicSource::Kind::kFolder ? Texts().noSongsInFolder
                                                                          : Texts().noSongsFromSite;
}

}  // namespace

std::wstring EmptyListExplanation(const catalogue::SourceCatalogue& catalogue) {
  return std::wstring(WhyNoSongs(catalogue)) + L"\n" + WhereFrom(catalogue) + L"\n" +
         Texts().noSongsHint;
}

bool ExplainEmptyList(HWND songList, HWND visibleList,
                      const catalogue::SourceCatalogue& catalogue) {
  if (SendMessageW(songList, LB_GETCOUNT, 0, 0) > 1) return false;
  const std::wstring where = WhereFrom(catalogue);
  SendMessageW(visibleList, LB_RESETCONTENT, 0, 0);
  for (const std::wstring& line :
       {std::wstring(WhyNoSongs(catalogue)), where, std::wstring(Texts().noSongsHint)}) {
    SendMessageW(visibleList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  Announce().Say("no songs ", where);
  return true;
}

}  // namespace app
