#include "tools/empty/process_table.h"

#include <gtest/gtest.h>

#include <memory>

#include "tools/empty/process_snapshot.h"

namespace empty_tool {
namespace {

ProcessEntry Entry(const char* name, const char* title = "") {
  ProcessEntry e;
  CopyName(e.imageName, name);
  CopyName(e.windowTitle, title);
  return e;
}

TEST(ProcessMatching, ByNameWithoutExtensionFullNameOrWindowTitle) {
  const ProcessEntry notepad = Entry("notepad.exe", "Untitled - Notepad");
  EXPECT_TRUE(ProcessMatches("NOTEPAD", notepad));
  EXPECT_TRUE(ProcessMatches("NOTEPAD.EXE", notepad));
  EXPECT_TRUE(ProcessMatches("UNTITLED*", notepad));
  EXPECT_TRUE(ProcessMatches("*- NOTEPAD", notepad));
  EXPECT_FALSE(ProcessMatches("NOTEPAD.", notepad));
  EXPECT_FALSE(ProcessMatches("NOTE", notepad));
  EXPECT_FALSE(ProcessMatches("UNTITLED", notepad));
  // The name is cut at its first dot.
  const ProcessEntry dotted = Entry("my.tool.exe");
  EXPECT_TRUE(ProcessMatches("MY", dotted));
  EXPECT_FALSE(ProcessMatches("MY.TOOL", dotted));
  EXPECT_TRUE(ProcessMatches("MY.TOOL.EXE", dotted));
  EXPECT_EQ(NameWithoutExtension("my.tool.exe"), "my");
  EXPECT_EQ(NameWithoutExtension("noext"), "noext");
  // No title: a pattern matching only empty text still finds nothing.
  EXPECT_FALSE(ProcessMatches("X", Entry("a.exe")));
}

TEST(ProcessMatching, TableKeepsAtMost1024ProcessesAndNamesTheNamelessOne) {
  auto table = std::make_unique<ProcessTable>();
  EXPECT_TRUE(table->Add(0, ""));
  EXPECT_STREQ((*table)[0].imageName, "System Process");
  for (DWORD id = 4; table->count() < kMaxProcesses; id += 4) ASSERT_TRUE(table->Add(id, "p.exe"));
  EXPECT_FALSE(table->Add(99999, "late.exe"));
  EXPECT_EQ(table->count(), kMaxProcesses);
  EXPECT_EQ(table->Find(99999), nullptr);
  ASSERT_NE(table->Find(8), nullptr);
  EXPECT_EQ(table->Find(8)->processId, 8u);
}

TEST(ProcessMatching, VisibleWindowsWinHiddenOnesOnlyFillAGap) {
  ProcessEntry e = Entry("a.exe");
  HWND first = reinterpret_cast<HWND>(0x10), second = reinterpret_cast<HWND>(0x20);
  EXPECT_TRUE(WantsWindow(e, false));
  RecordWindow(e, first, "hidden");
  EXPECT_FALSE(WantsWindow(e, false));
  EXPECT_TRUE(WantsWindow(e, true));
  RecordWindow(e, second, "shown");
  EXPECT_EQ(e.window, second);
  EXPECT_STREQ(e.windowTitle, "shown");
  EXPECT_TRUE(WantsWindow(e, true));
}

TEST(ProcessMatching, NamesAreCutAt127BytesWithoutSplittingACharacter) {
  char to[kMaxNameLength + 1];
  CopyName(to, std::string(300, 'x'));
  EXPECT_EQ(std::string(to), std::string(127, 'x'));
  // 126 single bytes then a two-byte character that would end at byte 128: it is left out
  // whole under code page 936.
  if (GetACP() == 936) {
    const std::string ge = "\xB8\xE8";  // 歌 in code page 936, the tool's own
    CopyName(to, std::string(126, 'x') + ge);
    EXPECT_EQ(std::string(to), std::string(126, 'x'));
    CopyName(to, std::string(125, 'x') + ge);
    EXPECT_EQ(std::string(to), std::string(125, 'x') + ge);
  }
}

TEST(ProcessSnapshot, ImageNameIsThePartAfterTheLastBackslash) {
  const std::wstring path = L"\\Device\\HarddiskVolume1\\Windows\\notepad.exe";
  EXPECT_EQ(BaseImageName(path.c_str(), path.size()), "notepad.exe");
  EXPECT_EQ(BaseImageName(L"plain.exe", 9), "plain.exe");
  EXPECT_EQ(BaseImageName(L"C:\\dir\\", 7), "");
  EXPECT_EQ(BaseImageName(nullptr, 0), "");
  // Only `length` characters count, not up to a terminating zero.
  EXPECT_EQ(BaseImageName(L"abc.exe-and-more", 7), "abc.exe");
}

TEST(ProcessSnapshot, ListsThisProcessUnderItsOwnName) {
  auto table = std::make_unique<ProcessTable>();
  ASSERT_TRUE(TakeProcessSnapshot(*table));
  const ProcessEntry* self = table->Find(GetCurrentProcessId());
  ASSERT_NE(self, nullptr);
  EXPECT_STREQ(self->imageName, "empty_logic_tests.exe");
  EXPECT_TRUE(ProcessMatches("EMPTY_LOGIC_TESTS", *self));
  EXPECT_GT(table->count(), 1);
}

}  // namespace
}  // namespace empty_tool
