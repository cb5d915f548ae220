// empty.exe run as its own process, as the trimmer starts it, against helper processes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

namespace {

std::string WindowsPath(std::string unixPath) {
  std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
  return "Z:" + unixPath;
}

const std::string kTool = WindowsPath(EMPTY_EXE_UNIX);
const std::string kHelper = WindowsPath(TRIM_HELPER_UNIX);
const std::string kUsage = "USAGE: empty.exe {pid | task-name}\r\n";

struct ToolRun {
  DWORD exitCode = 0xDEAD;
  std::string out;
};

// Runs the tool with `commandLine` (program name first) and collects its standard output.
ToolRun RunTool(const std::string& commandLine, const std::string& program = kTool) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  EXPECT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::string line = commandLine;
  PROCESS_INFORMATION started{};
  const BOOL ok = CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                 nullptr, &startup, &started);
  CloseHandle(writeEnd);
  ToolRun run;
  EXPECT_TRUE(ok) << "could not start " << program;
  if (ok) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got)
      run.out.append(buffer, got);
    EXPECT_EQ(WaitForSingleObject(started.hProcess, 20000), WAIT_OBJECT_0);
    GetExitCodeProcess(started.hProcess, &run.exitCode);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
  }
  CloseHandle(readEnd);
  return run;
}

// A running trim_helper.exe, ended with the test. A guarded one carries an empty access list, so
// no other process can open it.
class Helper {
 public:
  Helper(const std::string& arguments, bool guarded) {
    SECURITY_DESCRIPTOR descriptor;
    ACL emptyList;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    InitializeAcl(&emptyList, sizeof emptyList, ACL_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, &emptyList, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    std::string line = "trim_helper.exe " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    EXPECT_TRUE(CreateProcessA(kHelper.c_str(), line.data(), guarded ? &attributes : nullptr,
                               nullptr, FALSE, 0, nullptr, nullptr, &startup, &started_));
  }
  ~Helper() {
    if (!started_.hProcess) return;
    TerminateProcess(started_.hProcess, 0);
    WaitForSingleObject(started_.hProcess, 5000);
    CloseHandle(started_.hThread);
    CloseHandle(started_.hProcess);
  }
  Helper(const Helper&) = delete;
  Helper& operator=(const Helper&) = delete;
  DWORD id() const { return started_.dwProcessId; }
  std::string idText() const { return std::to_string(started_.dwProcessId); }

 private:
  PROCESS_INFORMATION started_{};
};

bool Openable(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
  if (process) CloseHandle(process);
  return process != nullptr;
}

std::string CouldNotEmpty(DWORD id, const std::string& name) {
  return "could not empty working set for process #" + std::to_string(id) + " [" + name + "]\r\n";
}

struct TitleSearch {
  DWORD processId;
  std::string title;
  bool found;
};

BOOL CALLBACK CheckWindowTitle(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TitleSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char text[128] = {};
  GetWindowTextA(window, text, sizeof text);
  if (owner == search->processId && search->title == text) search->found = true;
  return TRUE;
}

bool HasWindowTitled(DWORD processId, const char* title) {
  TitleSearch search{processId, title, false};
  EnumWindows(CheckWindowTitle, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST(EmptyTool, WithoutArgumentAsksForOneAndFails) {
  for (const char* line : {"empty.exe", "empty.exe  \t "}) {
    SCOPED_TRACE(line);
    const ToolRun run = RunTool(line);
    EXPECT_EQ(run.out, "missing pid or task name\r\n");
    EXPECT_EQ(run.exitCode, 1u);
  }
}

TEST(EmptyTool, UsageIsPrintedAndTheArgumentStillUsedAsAPattern) {
  for (const char* line : {"empty.exe /?", "empty.exe -?"}) {
    SCOPED_TRACE(line);
    const ToolRun run = RunTool(line);
    EXPECT_EQ(run.out, kUsage);
    EXPECT_EQ(run.exitCode, 0u);
  }
  // Only the exact two characters ask for it.
  const ToolRun run = RunTool("empty.exe /?x");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.exitCode, 0u);
}

TEST(EmptyTool, ProcessThatCannotBeOpenedIsReportedByIdWithExitCode1) {
  Helper guarded("sleep", true);
  ASSERT_FALSE(Openable(guarded.id()));
  ToolRun run = RunTool("empty.exe " + guarded.idText());
  EXPECT_EQ(run.out, "could not empty working set for process #" + guarded.idText() + "\r\n");
  EXPECT_EQ(run.exitCode, 1u);
  // No such process; an id past 32 bits is not wrapped round to another process.
  run = RunTool("empty.exe 0");
  EXPECT_EQ(run.out, "could not empty working set for process #0\r\n");
  EXPECT_EQ(run.exitCode, 1u);
  run = RunTool("empty.exe 99999999999");
  EXPECT_EQ(run.out, "could not empty working set for process #4294967295\r\n");
  EXPECT_EQ(run.exitCode, 1u);
}

TEST(EmptyTool, RunningProcessByIdIsEmptiedWithExitCode0) {
  Helper helper("sleep", false);
  // Digits end the id; what follows does not matter.
  for (const std::string& line :
       {"empty.exe " + helper.idText(), "empty.exe\t" + helper.idText() + "x"}) {
    SCOPED_TRACE(line);
    const ToolRun run = RunTool(line);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitCode, 0u);
  }
}

TEST(EmptyTool, TaskNameMatchesTheImageWithOrWithoutExtensionInAnyCase) {
  Helper guarded("sleep", true);
  Helper open("sleep", false);
  ASSERT_FALSE(Openable(guarded.id()));
  ASSERT_TRUE(Openable(open.id()));
  for (const char* pattern : {"trim_helper", "TRIM_HELPER", "trim_helper.exe", "Trim_Help?r",
                              "trim_[g-i]elper", "*_helper"}) {
    SCOPED_TRACE(pattern);
    const ToolRun run = RunTool(std::string("empty.exe ") + pattern);
    // The open helper is emptied quietly; only the guarded one is reported.
    EXPECT_EQ(run.out, CouldNotEmpty(guarded.id(), "trim_helper.exe"));
    EXPECT_EQ(run.exitCode, 1u);
  }
  for (const char* pattern : {"trim_helpe", "trim_helper.ex", "rim_helper", "trim_helper*x"}) {
    SCOPED_TRACE(pattern);
    const ToolRun run = RunTool(std::string("empty.exe ") + pattern);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitCode, 0u);
  }
}

TEST(EmptyTool, TaskNameMatchesAWindowTitle) {
  Helper guarded("window \"Trim Title 42\"", true);
  const DWORD start = GetTickCount();
  while (!HasWindowTitled(guarded.id(), "Trim Title 42") && GetTickCount() - start < 15000) {
    Sleep(50);
  }
  ASSERT_TRUE(HasWindowTitled(guarded.id(), "Trim Title 42"));
  const ToolRun run = RunTool("empty.exe trim title*");
  EXPECT_EQ(run.out, CouldNotEmpty(guarded.id(), "trim_helper.exe"));
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(RunTool("empty.exe trim title").out, "");
}

TEST(EmptyTool, QuotedProgramPathWithABlankIsSkipped) {
  Helper guarded("sleep", true);
  const ToolRun run = RunTool("\"C:\\My Windows\\empty.exe\" " + guarded.idText());
  EXPECT_EQ(run.out, "could not empty working set for process #" + guarded.idText() + "\r\n");
  EXPECT_EQ(run.exitCode, 1u);
}

}  // namespace
