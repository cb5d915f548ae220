#include "catalogue/trimmer.h"

#include <vector>

#include "embedded/trimmer_image.h"
#include "graphics/kernel_handle.h"

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

std::wstring EnvironmentVariable(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, '\0');
  const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
  value.resize(length < size ? length : 0);
  return value;
}

std::wstring ShortPath(const std::wstring& path) {
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::wstring result(size, '\0');
  const DWORD length = GetShortPathNameW(path.c_str(), result.data(), size);
  result.resize(length < size ? length : 0);
  return result;
}

// Only a file that does not exist yet is written; one that cannot be written whole is removed
// again, so that no broken image stays behind to be started on every later run.
void WriteToolIfMissing(const std::wstring& path) {
  graphics::KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  const auto& image = resources::empty_exe;
  DWORD written = 0;
  const bool whole =
      WriteFile(file.get(), image.data(), static_cast<DWORD>(image.size()), &written, nullptr) &&
      written == image.size();
  file.reset();
  if (!whole) DeleteFileW(path.c_str());
}

void StartHidden(const std::wstring& program, const std::wstring& commandLine) {
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION started{};
  if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &started)) {
    // Not waited for: only closed.
    graphics::KernelHandle thread(started.hThread), process(started.hProcess);
  }
}

}  // namespace

std::wstring TrimmerToolPath(const std::wstring& windowsFolder) {
  if (windowsFolder.empty()) return {};
  return windowsFolder + L"\\empty.exe";
}

std::wstring TrimmerCommandLine(const std::wstring& toolPath, const std::wstring& shortToolPath,
                                unsigned long processId) {
  std::wstring program = toolPath;
  if (program.find(L' ') != std::wstring::npos) {
    program = shortToolPath.empty() ? toolPath : shortToolPath;
    if (program.find(L' ') != std::wstring::npos) program = L'"' + program + L'"';
  }
  return program + L' ' + std::to_wstring(processId);
}

void RunTrimmer() {
  const StartGuard guard;
  if (ending) return;
  const std::wstring path = TrimmerToolPath(EnvironmentVariable(L"windir"));
  if (path.empty()) return;
  WriteToolIfMissing(path);
  const std::wstring shortPath = path.find(' ') != std::wstring::npos ? ShortPath(path) : L"";
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
