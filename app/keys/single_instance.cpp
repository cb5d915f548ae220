#include "app/keys/single_instance.h"

#include <string>

#include "app/windows/player_units.h"

namespace app {
namespace {

// Local\ keeps it to this session; the user's name keeps it to this user within it.
std::wstring MutexName() {
  wchar_t user[257] = L"";
  DWORD size = 257;
  if (!GetUserNameW(user, &size)) user[0] = L'\0';
  std::wstring name = L"Local\\Velory.Player.";
  for (const wchar_t* c = user; *c; ++c) name += *c == L'\\' ? L'_' : *c;
  return name;
}

// The first player takes a moment between its mutex and its window, and asks for patience while
// its creation handler fetches; a start beside it waits that long, and no longer.
constexpr DWORD kPatienceMs = 30000;
constexpr DWORD kRetryMs = 100;

}  // namespace

InstanceLock::InstanceLock() {
  mutex_ = CreateMutexW(nullptr, FALSE, MutexName().c_str());
  first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

InstanceLock::~InstanceLock() {
  if (mutex_) CloseHandle(mutex_);
}

bool HandToRunningPlayer(const RemoteRequest& request) {
  const std::wstring text = EncodeRemoteRequest(request);
  COPYDATASTRUCT data{kRemoteRequestMark, static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                      const_cast<wchar_t*>(text.data())};
  const DWORD start = GetTickCount();
  do {
    HWND window = FindWindowW(kPlayerWindowClass, nullptr);
    if (window) {
      DWORD pid = 0;
      GetWindowThreadProcessId(window, &pid);
      // Only the process in front may hand the foreground on.
      AllowSetForegroundWindow(pid);
      DWORD_PTR answer = 0;
      if (SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                              SMTO_ABORTIFHUNG, 5000, &answer)) {
        if (answer == static_cast<DWORD_PTR>(kRemoteDone)) return true;
        if (answer != static_cast<DWORD_PTR>(kRemoteBusy)) return false;
      }
    }
    Sleep(kRetryMs);
  } while (GetTickCount() - start < kPatienceMs);
  return false;
}

}  // namespace app
