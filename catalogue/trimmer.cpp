#include "catalogue/trimmer.h"

#include <vector>

#include "embedded/trimmer_image.h"

namespace catalogue {
namespace {

// Trimmer threads may still run when the program ends; the lock keeps the end out of a start.
SRWLOCK startLock = SRWLOCK_INIT;
bool ending = false;

class StartGuard {
 public:
  StartGuard() { AcquireSRWLockExclusive(&startLock); }
  ~StartGuard() { ReleaseSRWLockExclusive(&startLock); }
  StartGuard(const StartGuard&) = delete;
  StartGuard& operator=(const StartGuard&) = delete;
};

std::string EnvironmentVariable(const char* name) {
  const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) return {};
  std::string value(size, '\0');
  const DWORD length = GetEnvironmentVariableA(name, value.data(), size);
  value.resize(length < size ? length : 0);
  return value;
}

std::string ShortPath(const std::string& path) {
  const DWORD size = GetShortPathNameA(path.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::string result(size, '\0');
  const DWORD length = GetShortPathNameA(path.c_str(), result.data(), size);
  result.resize(length < size ? length : 0);
  return result;
}

// Only a file that does not exist yet is written; one that cannot be written whole is removed
// again, so that no broken image stays behind to be started on every later run.
void WriteToolIfMissing(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const auto& image = resources::empty_exe;
  DWORD written = 0;
  const bool whole =
      WriteFile(file, image.data(), static_cast<DWORD>(image.size()), &written, nullptr) &&
      written == image.size();
  CloseHandle(file);
  if (!whole) DeleteFileA(path.c_str());
}

void StartHidden(const std::string& program, const std::string& commandLine) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION started{};
  if (CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &started)) {
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
  }
}

}  // namespace

std::string TrimmerToolPath(const std::string& windowsFolder) {
  if (windowsFolder.empty()) return {};
  return windowsFolder + "\\empty.exe";
}

std::string TrimmerCommandLine(const std::string& toolPath, const std::string& shortToolPath,
                               unsigned long processId) {
  std::string program = toolPath;
  if (program.find(' ') != std::string::npos) {
    program = shortToolPath.empty() ? toolPath : shortToolPath;
    if (program.find(' ') != std::string::npos) program = '"' + program + '"';
  }
  return program + ' ' + std::to_string(processId);
}

void RunTrimmer() {
  const StartGuard guard;
  if (ending) return;
  const std::string path = TrimmerToolPath(EnvironmentVariable("windir"));
  if (path.empty()) return;
  WriteToolIfMissing(path);
  const std::string shortPath = path.find(' ') != std::string::npos ? ShortPath(path) : "";
  StartHidden(path, TrimmerCommandLine(path, shortPath, GetCurrentProcessId()));
}

void EndTrimmerStarts() {
  const StartGuard guard;
  ending = true;
}

DWORD WINAPI TrimmerThreadProc(LPVOID) {
  RunTrimmer();
  return 0;
}

}  // namespace catalogue
