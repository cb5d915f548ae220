// Scratch folders holding a copy of the built player and the data files a test prepares. Paths
// are UTF-8, as the tests' literals are.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// Windows form of the build's dist folder.
std::string DistFolder();

// A fresh, empty folder under the build's scratch area, named after the test.
std::string MakeScratchFolder(const std::string& name);

// Replaces the file's whole content with the bytes; creates missing folders on the way.
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool PathExists(const std::string& path);

// A scratch folder holding player.exe and the shipped data files (背景 and config).
struct PlayerFolder {
  std::string folder;
  std::string Path(const std::string& relative) const { return folder + relative; }
};
PlayerFolder MakePlayerFolder(const std::string& name);

}  // namespace testing_support
