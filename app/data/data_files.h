// The data folders beside the executable and the small files in them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace app {

// Relative paths, each beginning with a backslash, appended to the executable's folder.
inline constexpr wchar_t kPicturePathFile[] = L"\\背景\\path.txt";
inline constexpr wchar_t kPictureFolderPrefix[] = L"\\背景\\";
inline constexpr wchar_t kPictureFolder[] = L"\\背景";
inline constexpr wchar_t kConfigFolder[] = L"\\config";
inline constexpr wchar_t kTitleFile[] = L"\\config\\title.txt";
inline constexpr wchar_t kGroupingFile[] = L"\\config\\Grouping.txt";
inline constexpr wchar_t kMainSizeFile[] = L"\\config\\main.txt";

// The folder holding the running executable, without a trailing backslash.
std::wstring ExecutableFolder();
// ExecutableFolder() + relative.
std::wstring DataPath(const std::wstring& relative);
// The path as the file calls take it: one too long for MAX_PATH gets the \\?\ prefix, which
// lifts the limit (the path is already absolute and uses backslashes).
std::wstring LongPath(const std::wstring& path);

// True when a file (not a folder) exists at the path.
bool FileExists(const std::wstring& path);
// The largest file ReadFileBytes takes whole.
inline constexpr uint64_t kMaxFileBytes = 0x7FFFFFFF;
// A larger background picture is taken as unreadable: it could not be held, decoded and copied
// by the skin in a 32-bit process.
inline constexpr uint64_t kMaxPictureBytes = 256u * 1024u * 1024u;

// The whole file as bytes; empty when missing, unreadable, larger than `maxBytes` or too large
// for the memory left.
std::vector<uint8_t> ReadFileBytes(const std::wstring& path, uint64_t maxBytes = kMaxFileBytes);
// The whole file's bytes up to its first NUL byte, untrimmed; empty when missing or unreadable.
std::string ReadTextFile(const std::wstring& path);
// The same text read as GBK (code page 936), whatever the system's code page.
std::wstring ReadGbkTextFile(const std::wstring& path);
// Replaces the file's whole content, or leaves it as it was and returns false when the new
// content could not be written completely.
bool WriteWholeFile(const std::wstring& path, const std::string& content);

// Writes a#b as the file's whole content; failures are silent.
void WriteNumberPairFile(const std::wstring& path, int32_t a, int32_t b);
// Writes the picture name, as GBK, as the whole content of 背景\path.txt; false when it was not
// written, also for a name that GBK cannot hold (it would name another file when read back).
bool WritePictureName(const std::wstring& name);

}  // namespace app
