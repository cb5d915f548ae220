#include "app/background_picture.h"

#include <commdlg.h>

#include "app/data_files.h"
#include "app/user_messages.h"

namespace app {

void ChangeBackground(const std::string& executableFolder, const BackgroundChoice& choice) {
  const std::optional<std::string> chosen = choice.chooseFile(executableFolder + kPictureFolder);
  if (!chosen) return;
  const std::string name = PictureNameOf(*chosen);
  const std::string target = executableFolder + kPictureFolderPrefix + name;
  const std::string pathFile = executableFolder + kPicturePathFile;

  // A file of that name in 背景 is used as it is, even when the chosen one is another file.
  if (!FileExists(target) && !CopyFileA(chosen->c_str(), target.c_str(), TRUE)) {
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
