// The download button where the shell's download dialog does nothing (Wine): the program asks
// where to save the song, fetches it while a small skinned window shows the file's name, the
// share done and the bytes received, and ends with the whole file or no file at all. A failure
// says so, and why, in a message box.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/fetch_to_file.h"

namespace app {

// The download window's line under its bar: "45%  已收到 1,234 / 2,742 字节", or the bytes
// alone when the server announced no length.
std::wstring DownloadStatusText(uint64_t received, uint64_t total);

// One line saying why a fetch failed; empty when there is nothing to add.
std::wstring FailureReason(const catalogue::FetchReport& report);

// The name the save dialog suggests: the song's title made safe for a file name, or without
// one its entry text ("歌曲3", "歌曲" without a number), and the extension of its local copy
// (".mp3" without one).
std::wstring SuggestedSongName(int songNumber, const std::wstring& title,
                               const std::wstring& localCopy);

// Asks for the target (starting with `suggestedName`), then downloads `url` there. Returns once
// the download has ended, failed, been cancelled by closing its window, or the program is
// ending; meanwhile this thread's messages are dispatched. A local file (a song of a folder) is
// copied instead. Does nothing for no address; while another download runs, brings its window
// forward.
void DownloadSong(HWND owner, const std::string& url, const std::wstring& suggestedName,
                  const std::vector<uint8_t>& picture);

}  // namespace app
