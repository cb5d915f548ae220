// WinINet handles as the program's requests open them: uncached, cookie-free, with explicit
// time-outs.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <string>

#include "catalogue/text_routines.h"

namespace catalogue {

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle = nullptr) : handle_(handle) {}
  ~InternetHandle() {
    if (handle_) InternetCloseHandle(handle_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HINTERNET handle_;
};

// A session whose connect, send and receive waits each end within `deadlineMs`.
inline HINTERNET OpenSession(DWORD deadlineMs) {
  HINTERNET session = InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!session) return nullptr;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    DWORD ms = deadlineMs;
    InternetSetOptionW(session, option, &ms, sizeof(ms));
  }
  return session;
}

// Every request reaches the server: nothing is taken from or written to the cache, and each
// goes on a connection of its own. A kept connection the server has since closed (a song cut
// short, a catalogue restarted) took the next request into its receive deadline unanswered.
inline HINTERNET OpenAddress(HINTERNET session, const std::string& url) {
  constexpr DWORD kFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                           INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_COOKIES |
                           INTERNET_FLAG_NO_UI;
  constexpr wchar_t kHeaders[] = L"Connection: close\r\n";
  return InternetOpenUrlW(session, FromUtf8(url).c_str(), kHeaders, static_cast<DWORD>(-1L),
                          kFlags, 0);
}

// The length the server announced for the body; false when it announced none.
inline bool AnnouncedLength(HINTERNET request, DWORD* length) {
  DWORD size = sizeof(*length);
  return HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, length, &size,
                        nullptr) != FALSE;
}

}  // namespace catalogue
