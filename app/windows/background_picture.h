// Changing the background picture for the next start.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/windows/picture_name.h"

namespace app {

// The seams of the handler: the file dialog (given its initial folder, the chosen full path or
// nothing when cancelled) and the message boxes.
struct BackgroundChoice {
  std::function<std::optional<std::wstring>(const std::wstring& initialFolder)> chooseFile;
  std::function<void(const wchar_t* message, bool error)> showMessage;
};

// Whether the bytes decode as a picture: a file that does not is treated as one that cannot be
// read, at start and when chosen. With a `cacheFolder`, the copy reduced for this screen is kept
// there as at start, so the next start need not decode. Needs GDI+ started.
bool PictureDecodes(const std::vector<uint8_t>& bytes, const std::wstring& cacheFolder = {});

// The click on 按钮_更换背景: copies the chosen picture into <folder>\背景 unless a file of that
// name is there already, names it in 背景\path.txt and says whether that worked. A picture that
// would become the background but does not decode changes nothing; one that does is reduced for
// the next start (config\picture.cache).
void ChangeBackground(const std::wstring& executableFolder, const BackgroundChoice& choice);

// The open-file dialog 通用对话框1: filter "*.jpg|*.jpg".
std::optional<std::wstring> ChoosePictureFile(HWND owner, const std::wstring& initialFolder);

}  // namespace app
