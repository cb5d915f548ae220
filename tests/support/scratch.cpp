#include "tests/support/scratch.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/support/observe.h"

namespace testing_support {
namespace {

std::string WindowsPath(std::string unixPath) {
  std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
  return "Z:" + unixPath;
}

// Paths are UTF-8, as the tests' literals are.
std::wstring W(const std::string& utf8) { return Wide(utf8); }

std::string Utf8(const wchar_t* text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.pop_back();
  return out;
}

void DeleteTree(const std::string& folder) {
  std::wstring from = W(folder);
  from.push_back(L'\0');
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.data();
  op.fFlags = FOF_NO_UI;
  SHFileOperationW(&op);
}

void MakeFolders(const std::string& path) {
  for (size_t i = 3; i < path.size(); ++i) {
    if (path[i] == '\\') CreateDirectoryW(W(path.substr(0, i)).c_str(), nullptr);
  }
  CreateDirectoryW(W(path).c_str(), nullptr);
}

void CopyTree(const std::string& from, const std::string& to) {
  MakeFolders(to);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(W(from + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = Utf8(data.cFileName);
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CopyTree(from + "\\" + name, to + "\\" + name);
    } else {
      CopyFileW(W(from + "\\" + name).c_str(), W(to + "\\" + name).c_str(), FALSE);
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

}  // namespace

std::string DistFolder() { return WindowsPath(DIST_DIR_UNIX); }

std::string MakeScratchFolder(const std::string& name) {
  const std::string folder = WindowsPath(SCRATCH_DIR_UNIX) + "\\" + name;
  DeleteTree(folder);
  MakeFolders(folder);
  return folder;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  const size_t slash = path.find_last_of('\\');
  if (slash != std::string::npos) MakeFolders(path.substr(0, slash));
  HANDLE f = CreateFileW(W(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
}

std::string ReadFileBytes(const std::string& path) {
  HANDLE f = CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(f, nullptr), '\0');
  DWORD got = 0;
  ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  bytes.resize(got);
  CloseHandle(f);
  return bytes;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesW(W(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

PlayerFolder MakePlayerFolder(const std::string& name) {
  PlayerFolder p{MakeScratchFolder(name)};
  CopyTree(DistFolder(), p.folder);
  // A test lane's own build of the player, with that lane's catalogue address.
  if (const char* lane = std::getenv("VELORY_PLAYER_EXE")) {
    CopyFileW(W(WindowsPath(lane)).c_str(), W(p.folder + "\\player.exe").c_str(), FALSE);
  }
  return p;
}

}  // namespace testing_support
