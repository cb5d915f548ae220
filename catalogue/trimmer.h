// The working-set trimmer: writes the stored empty.exe into the Windows directory when it is not
// there yet and starts it, hidden and without waiting, against this process.
#pragma once

#include <windows.h>

#include <string>

namespace catalogue {

// `windowsFolder` + "\empty.exe"; empty when there is no Windows directory to put it in.
std::wstring TrimmerToolPath(const std::wstring& windowsFolder);

// "PATH PID". A path with a blank is given in its short form (`shortToolPath`), and quoted when
// even that has a blank or is not known (empty), so that the blank never splits the program
// name.
std::wstring TrimmerCommandLine(const std::wstring& toolPath, const std::wstring& shortToolPath,
                                unsigned long processId);

// Writes the tool if missing, starts it; reports nothing. Does nothing once the program ends.
void RunTrimmer();

// For the exit routine: waits for a start under way and lets no later one begin, so that the
// end of the program never cuts a process start in half (which leaves the new process hanging).
void EndTrimmerStarts();

// For SHCreateThread: runs the trimmer once.
DWORD WINAPI TrimmerThreadProc(LPVOID);

}  // namespace catalogue
