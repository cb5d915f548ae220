#include "catalogue/trimmer.h"

#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "embedded/trimmer_image.h"
#include "tests/support/scratch.h"
#include "tools/empty/command_line.h"

namespace catalogue {
namespace {

using testing_support::MakeScratchFolder;
using testing_support::PathExists;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

std::string HelperPath() {
  std::string path = TRIM_HELPER_UNIX;
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

std::string Image() {
  return std::string(reinterpret_cast<const char*>(resources::empty_exe.data()),
                     resources::empty_exe.size());
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

TEST(TrimmerCommandLine, PathBlankProcessIdWithoutQuotes) {
  EXPECT_EQ(TrimmerToolPath(L"C:\\WINDOWS"), L"C:\\WINDOWS\\empty.exe");
  EXPECT_EQ(TrimmerToolPath(L""), L"");
  EXPECT_EQ(TrimmerCommandLine(L"C:\\WINDOWS\\empty.exe", L"", 1234),
            L"C:\\WINDOWS\\empty.exe 1234");
  // A short form is only used when the path needs it.
  EXPECT_EQ(TrimmerCommandLine(L"C:\\WINDOWS\\empty.exe", L"C:\\X\\empty.exe", 8),
            L"C:\\WINDOWS\\empty.exe 8");
}

TEST(TrimmerCommandLine, BlankInThePathNeverSplitsTheProgramName) {
  EXPECT_EQ(TrimmerCommandLine(L"C:\\My Windows\\empty.exe", L"C:\\MYWIND~1\\empty.exe", 1234),
            L"C:\\MYWIND~1\\empty.exe 1234");
  EXPECT_EQ(TrimmerCommandLine(L"C:\\My Windows\\empty.exe", L"C:\\My Wi\\empty.exe", 1234),
            L"\"C:\\My Wi\\empty.exe\" 1234");
  EXPECT_EQ(TrimmerCommandLine(L"C:\\My Windows\\empty.exe", L"", 1234),
            L"\"C:\\My Windows\\empty.exe\" 1234");
  // Whatever form it takes, the tool reads the process id back.
  for (const wchar_t* shortPath : {L"C:\\MYWIND~1\\empty.exe", L"C:\\My Wi\\empty.exe", L""}) {
    const std::wstring line = TrimmerCommandLine(L"C:\\My Windows\\empty.exe", shortPath, 4321);
    const std::string ascii(line.begin(), line.end());
    SCOPED_TRACE(ascii);
    const auto argument = empty_tool::ParseToolArgument(ascii.c_str());
    EXPECT_EQ(argument.kind, empty_tool::ToolArgument::Kind::kProcessId);
    EXPECT_EQ(argument.processId, 4321u);
  }
}

// Points "windir" at a scratch folder; a copy of trim_helper placed there as empty.exe writes
// down how it was started.
class TrimmerRun : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    scratch_ = MakeScratchFolder(std::string("trimmer_") + name);
    record_ = scratch_ + "\\record.txt";
    char old[MAX_PATH] = {};
    hadWindir_ = GetEnvironmentVariableA("windir", old, MAX_PATH) > 0;
    oldWindir_ = old;
    UseWindowsFolder(scratch_);
  }
  void TearDown() override {
    SetEnvironmentVariableA("windir", hadWindir_ ? oldWindir_.c_str() : nullptr);
    SetEnvironmentVariableA("TRIM_HELPER_RECORD", nullptr);
  }
  void UseWindowsFolder(const std::string& folder) {
    windir_ = folder;
    CreateDirectoryA(folder.c_str(), nullptr);
    SetEnvironmentVariableA("windir", folder.c_str());
  }
  std::string ToolPath() const { return windir_ + "\\empty.exe"; }
  void PlaceRecorder() {
    ASSERT_TRUE(CopyFileA(HelperPath().c_str(), ToolPath().c_str(), FALSE));
    SetEnvironmentVariableA("TRIM_HELPER_RECORD", record_.c_str());
  }
  // The recorder's command line and module path, once it has run.
  std::vector<std::string> WaitForRecord() {
    const DWORD start = GetTickCount();
    while (!PathExists(record_) && GetTickCount() - start < 15000) Sleep(20);
    std::vector<std::string> lines;
    std::string text = ReadFileBytes(record_);
    for (size_t end; (end = text.find('\n')) != std::string::npos; text.erase(0, end + 1)) {
      lines.push_back(text.substr(0, end));
    }
    return lines;
  }

  std::string scratch_, record_, windir_, oldWindir_;
  bool hadWindir_ = false;
};

TEST_F(TrimmerRun, WritesTheStoredToolWhenMissing) {
  ASSERT_GT(resources::empty_exe.size(), 1024u);
  EXPECT_EQ(Image().substr(0, 2), "MZ");
  ASSERT_FALSE(PathExists(ToolPath()));
  RunTrimmer();
  EXPECT_EQ(ReadFileBytes(ToolPath()), Image());
}

TEST_F(TrimmerRun, ExistingFileIsStartedUnchangedWithThisProcessId) {
  PlaceRecorder();
  const std::string before = ReadFileBytes(ToolPath());
  RunTrimmer();
  const std::vector<std::string> record = WaitForRecord();
  ASSERT_EQ(record.size(), 2u);
  EXPECT_EQ(record[0], ToolPath() + " " + std::to_string(GetCurrentProcessId()));
  EXPECT_EQ(Lower(record[1]), Lower(ToolPath()));
  EXPECT_EQ(ReadFileBytes(ToolPath()), before);
  EXPECT_NE(before, Image());
}

TEST_F(TrimmerRun, WindowsFolderWithABlankStartsTheRightFileWithTheId) {
  UseWindowsFolder(scratch_ + "\\my windows");
  PlaceRecorder();
  RunTrimmer();
  const std::vector<std::string> record = WaitForRecord();
  ASSERT_EQ(record.size(), 2u);
  const std::string& line = record[0];
  // The program name holds no blank, or is quoted; either way it names the tool's file.
  std::string program;
  if (line[0] == '"') {
    program = line.substr(1, line.find('"', 1) - 1);
  } else {
    program = line.substr(0, line.find(' '));
    EXPECT_EQ(program.find(' '), std::string::npos);
  }
  char longForm[MAX_PATH] = {};
  GetLongPathNameA(program.c_str(), longForm, MAX_PATH);
  EXPECT_EQ(Lower(longForm), Lower(ToolPath())) << line;
  EXPECT_EQ(Lower(record[1]), Lower(ToolPath()));
  const auto argument = empty_tool::ParseToolArgument(line.c_str());
  EXPECT_EQ(argument.kind, empty_tool::ToolArgument::Kind::kProcessId) << line;
  EXPECT_EQ(argument.processId, GetCurrentProcessId());
}

TEST_F(TrimmerRun, ThreadMadeBySHCreateThreadRunsItOnce) {
  PlaceRecorder();
  ASSERT_TRUE(SHCreateThread(TrimmerThreadProc, nullptr, 0, nullptr));
  const std::vector<std::string> record = WaitForRecord();
  ASSERT_EQ(record.size(), 2u);
  EXPECT_EQ(record[0], ToolPath() + " " + std::to_string(GetCurrentProcessId()));
}

TEST_F(TrimmerRun, SeveralAtOnceLeaveOneWholeImage) {
  std::vector<std::thread> threads;
  for (int i = 0; i < 6; ++i) threads.emplace_back(RunTrimmer);
  for (auto& t : threads) t.join();
  EXPECT_EQ(ReadFileBytes(ToolPath()), Image());
}

TEST_F(TrimmerRun, NoWindowsFolderMeansNothingIsWrittenAnywhere) {
  // A folder that is not there: the write fails, nothing is left and nothing breaks.
  UseWindowsFolder(scratch_ + "\\gone");
  RemoveDirectoryA(windir_.c_str());
  RunTrimmer();
  EXPECT_FALSE(PathExists(ToolPath()));

  // No "windir" at all: not the root of the current drive either.
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  SetCurrentDirectoryA(scratch_.c_str());
  const std::string rootTool = scratch_.substr(0, 2) + "\\empty.exe";
  const bool wasThere = PathExists(rootTool);
  SetEnvironmentVariableA("windir", nullptr);
  RunTrimmer();
  SetCurrentDirectoryA(current);
  if (!wasThere) {
    EXPECT_FALSE(PathExists(rootTool));
  }
}

TEST_F(TrimmerRun, NothingStartsOnceTheProgramIsEnding) {
  PlaceRecorder();
  EndTrimmerStarts();
  RunTrimmer();
  ASSERT_TRUE(SHCreateThread(TrimmerThreadProc, nullptr, 0, nullptr));
  Sleep(1500);
  EXPECT_FALSE(PathExists(record_));
}

}  // namespace
}  // namespace catalogue
