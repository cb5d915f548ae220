// The music source setting: config\source.txt, and `/source "where"` on the command line, which
// uses that source and keeps it.
#pragma once

#include <string>

#include "catalogue/music_source.h"
#include "catalogue/source_catalogue.h"

namespace app {

inline constexpr wchar_t kSourceFile[] = L"\\config\\source.txt";

// The source the setting file names; the built-in address when it is missing, empty, damaged or
// larger than any setting a user writes.
catalogue::MusicSource ReadSourceSetting();
// Replaces the setting as one whole write; false, with the old setting kept, when it failed.
bool WriteSourceSetting(const catalogue::MusicSource& source);

// What follows `/source` on a command line (Windows quoting); nothing when it is not there.
// A value that names no source is refused: the setting is then left as it was.
struct SourceArgument {
  bool given = false;
  catalogue::MusicSource source;
  bool valid = false;
};
SourceArgument SourceFromCommandLine(const std::wstring& commandLine);

// A `/source` value a second start handed over: kept in the setting when it names a source;
// false, with the setting as it was, when it does not or the write failed.
bool KeepSourceFromRemote(const std::wstring& value);

// The source for this run: the command line's, kept in the setting, or else the setting's.
catalogue::MusicSource StartSource();

// Tells the event log which source is in use: "source folder <songs> <path>", "source address
// <address>" or "source built-in".
void AnnounceSource(const catalogue::SourceCatalogue& catalogue);

// Why no song came and what to do, in three lines: why, the folder or the address, the hint.
std::wstring EmptyListExplanation(const catalogue::SourceCatalogue& catalogue);

// Where a fetch brought no song, the visible list says why in plain words, and what to do,
// instead of nine names that play nothing; announced as "no songs". False when songs came.
bool ExplainEmptyList(HWND songList, HWND visibleList, const catalogue::SourceCatalogue& catalogue);

}  // namespace app
