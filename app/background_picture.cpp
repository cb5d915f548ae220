#include "app/background_picture.h"

#include <commdlg.h>

#include "app/data_files.h"
#include "app/user_messages.h"
#include "graphics/gfx_image.h"
#include "skin/reduced_picture_file.h"
#include "skin/screen_picture.h"

namespace app {

bool PictureDecodes(const std::vector<uint8_t>& bytes, const std::string& cacheFolder) {
  // Decoded as the main window stretches it, so only the reduced copy is ever held.
  return skin::DecodePicture(
             bytes, true, skin::LargestClientSize(), nullptr,
             cacheFolder.empty() ? std::string() : skin::PictureCacheFile(cacheFolder)) != nullptr;
}

void ChangeBackground(const std::string& executableFolder, const BackgroundChoice& choice) {
  const std::optional<std::string> chosen = choice.chooseFile(executableFolder + kPictureFolder);
  if (!chosen) return;
  const std::string name = PictureNameOf(*chosen);
  const std::string target = executableFolder + kPictureFolderPrefix + name;
  const std::string pathFile = executableFolder + kPicturePathFile;

  // A file of that name in 背景 is used as it is, even when the chosen one is another file: so
  // that file is the one that must be a picture.
  const bool present = FileExists(target);
  if (!PictureDecodes(ReadFileBytes(present ? target : *chosen, kMaxPictureBytes),
                      executableFolder + kConfigFolder)) {
    choice.showMessage(kMsgFailed);
    return;
  }
  if (!present && !CopyFileA(chosen->c_str(), target.c_str(), TRUE)) {
    choice.showMessage(kMsgFailed);
    return;
  }
  choice.showMessage(WriteWholeFile(pathFile, name) ? kMsgBackgroundChanged : kMsgFailed);
}

std::optional<std::string> ChoosePictureFile(HWND owner, const std::string& initialFolder) {
  char file[32768] = {};
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = "*.jpg\0*.jpg\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof(file);
  ofn.lpstrInitialDir = initialFolder.c_str();
  // The program never uses the current directory, so the dialog must not move it either.
  ofn.Flags =
      OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&ofn)) return std::nullopt;
  return std::string(file);
}

}  // namespace app
