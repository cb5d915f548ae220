// A folder song's title: from its tags through the system's property store where that answers,
// otherwise from its file name.
#pragma once

#include <string>
#include <string_view>

namespace catalogue {

// "artist - title" when both tags are there, the title tag alone, or else the file name.
std::wstring SongTitle(std::wstring_view title, std::wstring_view artist, std::wstring_view path);

// The title of the file at `path` as SongTitle makes it, its tags read from the property store.
// Wine 8 answers E_NOTIMPL there, and a thread without COM gets no answer: then the file name.
std::wstring TitleOfFile(const std::wstring& path);

}  // namespace catalogue
