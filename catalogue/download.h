// The download button's work: the player's address goes to the shell's download dialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace catalogue {

// The dialog's entry point: one zero-terminated UTF-16 address; its result is not read.
using DownloadEntry = HRESULT(WINAPI*)(LPCWSTR);

// The address (UTF-8) as the dialog takes it, with its terminating zero.
std::vector<wchar_t> ToDownloadText(const std::string& address);

// DoFileDownload of shdocvw.dll, or null when the system has none.
DownloadEntry FindDownloadEntry();

// Hands the address to the entry; does nothing when the entry is null. Returns at once: the
// dialog, not the program, does the transfer.
void DownloadAddress(const std::string& address, DownloadEntry entry = FindDownloadEntry());

}  // namespace catalogue
