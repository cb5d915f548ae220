// System libraries come from the system folder only: a namesake planted beside the program is
// never loaded.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "graphics/system_call.h"

namespace graphics {
namespace {

std::wstring ModuleFile(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  return path;
}

TEST(SystemLibrary, ComesFromTheSystemFolderAndNeverFromBesideTheProgram) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const HMODULE shell = LoadSystemLibrary(L"shdocvw.dll");
  ASSERT_NE(shell, nullptr);
  EXPECT_EQ(CompareStringOrdinal(ModuleFile(shell).c_str(), lstrlenW(system), system, -1, TRUE),
            CSTR_EQUAL);
  EXPECT_NE(SystemCall<FARPROC>(L"shdocvw.dll", "DoFileDownload"), nullptr);

  // A loadable module beside the test: a search of the program's folder would take it.
  const std::wstring self = ModuleFile(nullptr);
  const std::wstring planted = self.substr(0, self.find_last_of(L'\\')) + L"\\velory_planted.dll";
  ASSERT_TRUE(CopyFileW(self.c_str(), planted.c_str(), FALSE));
  const HMODULE taken = LoadLibraryW(L"velory_planted.dll");
  EXPECT_NE(taken, nullptr);
  if (taken) FreeLibrary(taken);
  EXPECT_EQ(LoadSystemLibrary(L"velory_planted.dll"), nullptr);
  DeleteFileW(planted.c_str());
}

}  // namespace
}  // namespace graphics
