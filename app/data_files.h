// The data folders beside the executable and the small files in them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace app {

// Relative paths, each beginning with a backslash, appended to the executable's folder.
inline constexpr char kPicturePathFile[] = "\\背景\\path.txt";
inline constexpr char kPictureFolderPrefix[] = "\\背景\\";
inline constexpr char kPictureFolder[] = "\\背景";
inline constexpr char kConfigFolder[] = "\\config";
inline constexpr char kTitleFile[] = "\\config\\title.txt";
inline constexpr char kGroupingFile[] = "\\config\\Grouping.txt";
inline constexpr char kMainSizeFile[] = "\\config\\main.txt";

// The folder holding the running executable, without a trailing backslash.
std::string ExecutableFolder();
// ExecutableFolder() + relative.
std::string DataPath(const std::string& relative);

// True when a file (not a folder) exists at the path.
bool FileExists(const std::string& path);
// The largest file ReadFileBytes takes whole.
inline constexpr uint64_t kMaxFileBytes = 0x7FFFFFFF;
// A larger background picture is taken as unreadable: it could not be held, decoded and copied
// by the skin in a 32-bit process.
inline constexpr uint64_t kMaxPictureBytes = 256u * 1024u * 1024u;

// The whole file as bytes; empty when missing, unreadable, larger than `maxBytes` or too large
// for the memory left.
std::vector<uint8_t> ReadFileBytes(const std::string& path, uint64_t maxBytes = kMaxFileBytes);
// The whole file as text up to its first NUL byte, untrimmed; empty when missing or unreadable.
std::string ReadTextFile(const std::string& path);
// Replaces the file's whole content, or leaves it as it was and returns false when the new
// content could not be written completely.
bool WriteWholeFile(const std::string& path, const std::string& content);

// Writes a#b as the file's whole content; failures are silent.
void WriteNumberPairFile(const std::string& path, int32_t a, int32_t b);
// Writes the picture name as the whole content of 背景\path.txt; true on success.
bool WritePictureName(const std::string& name);

}  // namespace app
