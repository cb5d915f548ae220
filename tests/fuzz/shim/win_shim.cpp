// Native stand-ins for the Win32 functions declared in the shim's windows.h.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

DWORD g_lastError = 0;

constexpr unsigned kDoubleByteBase = 0x4E00;  // the stand-in 936's characters start here
constexpr unsigned kTrailCount = 190;         // trail bytes 0x40-0x7E and 0x80-0xFE

bool IsLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsTrail(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

void DecodeUtf8(const unsigned char* s, size_t n, std::vector<unsigned>& out) {
  for (size_t i = 0; i < n;) {
    const unsigned char c = s[i];
    size_t len = c < 0x80                 ? 1
                 : c >= 0xC2 && c <= 0xDF ? 2
                 : c >= 0xE0 && c <= 0xEF ? 3
                 : c >= 0xF0 && c <= 0xF4 ? 4
                                          : 0;
    unsigned cp = len == 1 ? c : len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
    bool ok = len != 0 && i + len <= n;
    for (size_t k = 1; ok && k < len; ++k) {
      ok = (s[i + k] & 0xC0) == 0x80;
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    ok = ok && !(len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) &&
         !(len == 4 && (cp < 0x10000 || cp > 0x10FFFF));
    if (!ok) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      out.push_back(0xD800 + ((cp - 0x10000) >> 10));
      out.push_back(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out.push_back(cp);
    }
    i += len;
  }
}

void DecodeDoubleByte(const unsigned char* s, size_t n, std::vector<unsigned>& out) {
  for (size_t i = 0; i < n;) {
    const unsigned char c = s[i];
    if (IsLead(c) && i + 1 < n && IsTrail(s[i + 1])) {
      const unsigned char t = s[i + 1];
      out.push_back(kDoubleByteBase + (c - 0x81) * kTrailCount + (t < 0x80 ? t - 0x40 : t - 0x41));
      i += 2;
    } else {
      out.push_back(c < 0x80 ? c : c == 0x80 ? 0x20AC : 0xFFFD);
      ++i;
    }
  }
}

void EncodeUtf8(const wchar_t* w, size_t n, std::vector<unsigned char>& out) {
  for (size_t i = 0; i < n; ++i) {
    unsigned cp = static_cast<unsigned>(w[i]);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && w[i + 1] >= 0xDC00 && w[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<unsigned>(w[++i]) - 0xDC00);
    } else if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<unsigned char>(cp));
    } else if (cp < 0x800) {
      out.insert(out.end(), {static_cast<unsigned char>(0xC0 | cp >> 6),
                             static_cast<unsigned char>(0x80 | (cp & 0x3F))});
    } else if (cp < 0x10000) {
      out.insert(out.end(), {static_cast<unsigned char>(0xE0 | cp >> 12),
                             static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F)),
                             static_cast<unsigned char>(0x80 | (cp & 0x3F))});
    } else {
      out.insert(out.end(), {static_cast<unsigned char>(0xF0 | cp >> 18),
                             static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F)),
                             static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F)),
                             static_cast<unsigned char>(0x80 | (cp & 0x3F))});
    }
  }
}

void EncodeDoubleByte(const wchar_t* w, size_t n, std::vector<unsigned char>& out, bool* lossy) {
  for (size_t i = 0; i < n; ++i) {
    const unsigned cp = static_cast<unsigned>(w[i]);
    if (cp < 0x80) {
      out.push_back(static_cast<unsigned char>(cp));
    } else if (cp == 0x20AC) {
      out.push_back(0x80);
    } else if (cp >= kDoubleByteBase && cp < kDoubleByteBase + 126 * kTrailCount) {
      const unsigned index = cp - kDoubleByteBase, trail = index % kTrailCount;
      out.push_back(static_cast<unsigned char>(0x81 + index / kTrailCount));
      out.push_back(static_cast<unsigned char>(trail < 63 ? trail + 0x40 : trail + 0x41));
    } else {
      out.push_back('?');
      if (lossy) *lossy = true;
    }
  }
}

// What the Win32 conversions return: the count when asked for it, the count written when it
// fits, otherwise 0 with as much written as fits.
template <typename T, typename U>
int Deliver(const std::vector<T>& units, U* out, int outSize) {
  if (outSize < 0 || (outSize > 0 && !out)) return 0;
  if (outSize == 0) return static_cast<int>(units.size());
  const size_t fit = std::min(units.size(), static_cast<size_t>(outSize));
  for (size_t i = 0; i < fit; ++i) out[i] = static_cast<U>(units[i]);
  if (fit < units.size()) {
    g_lastError = ERROR_INSUFFICIENT_BUFFER;
    return 0;
  }
  return static_cast<int>(fit);
}

int Fd(HANDLE h) { return static_cast<int>(reinterpret_cast<intptr_t>(h)) - 1; }

}  // namespace

DWORD GetLastError() { return g_lastError; }

int MultiByteToWideChar(UINT codePage, DWORD, LPCSTR text, int length, LPWSTR out, int outSize) {
  if (!text) return 0;
  const size_t n = length < 0 ? std::strlen(text) + 1 : static_cast<size_t>(length);
  std::vector<unsigned> units;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  if (codePage == CP_UTF8) {
    DecodeUtf8(bytes, n, units);
  } else {
    DecodeDoubleByte(bytes, n, units);
  }
  return Deliver(units, out, outSize);
}

int WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR wide, int length, LPSTR out, int outSize,
                        LPCSTR, BOOL* usedDefault) {
  if (!wide) return 0;
  if (usedDefault) *usedDefault = FALSE;
  size_t n = static_cast<size_t>(length);
  if (length < 0) {
    n = 0;
    while (wide[n]) ++n;
    ++n;
  }
  std::vector<unsigned char> bytes;
  bool lossy = false;
  if (codePage == CP_UTF8) {
    EncodeUtf8(wide, n, bytes);
  } else {
    EncodeDoubleByte(wide, n, bytes, &lossy);
  }
  if (usedDefault) *usedDefault = lossy;
  return Deliver(bytes, out, outSize);
}

namespace {

std::string Native(LPCWSTR path) {
  std::vector<unsigned char> bytes;
  size_t n = 0;
  while (path[n]) ++n;
  EncodeUtf8(path, n, bytes);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

DWORD GetModuleFileNameW(void*, LPWSTR out, DWORD size) {
  const wchar_t path[] = L"C:\\fuzz\\player.exe";
  const DWORD length = sizeof(path) / sizeof(path[0]);
  if (size < length) return 0;
  std::memcpy(out, path, sizeof(path));
  return length - 1;
}

DWORD GetFileAttributesW(LPCWSTR path) {
  struct stat st;
  if (stat(Native(path).c_str(), &st) != 0) return INVALID_FILE_ATTRIBUTES;
  return S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD, void*, DWORD disposition, DWORD, HANDLE) {
  const int flags = (access & GENERIC_WRITE ? O_WRONLY : O_RDONLY) |
                    (disposition == CREATE_ALWAYS ? O_CREAT | O_TRUNC : 0);
  const int fd = open(Native(path).c_str(), flags, 0644);
  if (fd < 0) return INVALID_HANDLE_VALUE;
  struct stat st;
  // Windows opens no folder as a file.
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(fd);
    return INVALID_HANDLE_VALUE;
  }
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd) + 1);
}

BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size) {
  struct stat st;
  if (fstat(Fd(file), &st) != 0) return FALSE;
  size->QuadPart = st.st_size;
  return TRUE;
}

BOOL ReadFile(HANDLE file, void* out, DWORD size, DWORD* got, void*) {
  const ssize_t n = read(Fd(file), out, size);
  *got = n > 0 ? static_cast<DWORD>(n) : 0;
  return n >= 0;
}

BOOL WriteFile(HANDLE file, const void* data, DWORD size, DWORD* written, void*) {
  const ssize_t n = write(Fd(file), data, size);
  *written = n > 0 ? static_cast<DWORD>(n) : 0;
  return n >= 0;
}

BOOL FlushFileBuffers(HANDLE) { return TRUE; }
BOOL CloseHandle(HANDLE handle) { return close(Fd(handle)) == 0; }
BOOL DeleteFileW(LPCWSTR path) { return unlink(Native(path).c_str()) == 0; }

BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) {
  struct stat st;
  if (!(flags & MOVEFILE_REPLACE_EXISTING) && stat(Native(to).c_str(), &st) == 0) return FALSE;
  return rename(Native(from).c_str(), Native(to).c_str()) == 0;
}
