// The few Win32 names that the pure routines use, for their native builds under the fuzzers.
// Conversions and files behave as the Win32 functions are documented to, on POSIX underneath;
// the code page 936 here is a stand-in double-byte code page with the same lead and trail
// byte ranges, so buffer sizes vary the way they do on Windows.
#pragma once

#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using DWORD = uint32_t;
using LONG = int32_t;
using LONGLONG = int64_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using HANDLE = void*;
using HWND = struct HWND__*;
using LPCSTR = const char*;
using LPSTR = char*;
using LPCWSTR = const wchar_t*;
using LPWSTR = wchar_t*;
struct tagMSG;  // named by the message pump's filter, never looked into
using MSG = tagMSG;
union LARGE_INTEGER {
  LONGLONG QuadPart;
};

#define WINAPI
#define TRUE 1
#define FALSE 0
#define MAX_PATH 260
#define CP_ACP 0u
#define CP_UTF8 65001u
#define WC_NO_BEST_FIT_CHARS 0x400u
#define WC_ERR_INVALID_CHARS 0x80u
#define LB_ADDSTRING 0x0180u
#define ERROR_INSUFFICIENT_BUFFER 122u
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu
#define FILE_ATTRIBUTE_DIRECTORY 0x10u
#define FILE_ATTRIBUTE_NORMAL 0x80u
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 1u
#define FILE_SHARE_WRITE 2u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define MOVEFILE_REPLACE_EXISTING 1u
#define MOVEFILE_WRITE_THROUGH 8u

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR out,
                        int outSize);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int length, LPSTR out,
                        int outSize, LPCSTR defaultChar, BOOL* usedDefault);
DWORD GetLastError();

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paths are UTF-16 here and UTF-8 underneath.
DWORD GetModuleFileNameW(void* module, LPWSTR out, DWORD size);
DWORD GetFileAttributesW(LPCWSTR path);
HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD share, void* security, DWORD disposition,
                   DWORD attributes, HANDLE templateFile);
BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size);
BOOL ReadFile(HANDLE file, void* out, DWORD size, DWORD* got, void* overlapped);
BOOL WriteFile(HANDLE file, const void* data, DWORD size, DWORD* written, void* overlapped);
BOOL FlushFileBuffers(HANDLE file);
BOOL CloseHandle(HANDLE handle);
BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags);
BOOL DeleteFileW(LPCWSTR path);
