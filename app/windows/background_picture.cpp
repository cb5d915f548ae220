#include "app/windows/background_picture.h"

#include <commdlg.h>

#include "app/application.h"
#include "app/data/data_files.h"
#include "app/data/language.h"
#include "app/windows/user_messages.h"
#include "catalogue/text_routines.h"
#include "graphics/atomic_file.h"
#include "graphics/gfx_image.h"
#include "skin/picture/reduced_picture_file.h"
#include "skin/picture/screen_picture.h"

namespace app {

bool PictureDecodes(const std::vector<uint8_t>& bytes, const std::wstring& cacheFolder) {
  // Decoded as the main window stretches it, so only the reduced copy is ever held.
  return skin::DecodePicture(
             bytes, true, skin::LargestClientSize(), nullptr,
             cacheFolder.empty() ? std::wstring() : skin::PictureCacheFile(cacheFolder),
             {nullptr, HasApp() ? &App().pictureAhead : nullptr}) != nullptr;
}

void ChangeBackground(const std::wstring& executableFolder, const BackgroundChoice& choice) {
  const std::optional<std::wstring> chosen = choice.chooseFile(executableFolder + kPictureFolder);
  if (!chosen) return;
  const std::wstring name = PictureNameOf(*chosen);
  const std::wstring target = executableFolder + kPictureFolderPrefix + name;
  const std::wstring pathFile = executableFolder + kPicturePathFile;
  // path.txt is GBK: a name it cannot hold would read back as another file's, so such a picture
  // is refused before anything is copied.
  const std::optional<std::string> gbkName = catalogue::EncodeText(name, catalogue::kGbkCodePage);
  if (!gbkName || gbkName->empty()) {
    choice.showMessage(Texts().failed, true);
    return;
  }

  // A file of that name in 背景 is used as it is, even when the chosen one is another file: so
  // that file is the one that must be a picture.
  const bool present = FileExists(target);
  const std::vector<uint8_t> bytes = ReadFileBytes(present ? target : *chosen, kMaxPictureBytes);
  if (!PictureDecodes(bytes, executableFolder + kConfigFolder)) {
    choice.showMessage(Texts().failed, true);
    return;
  }
  // The very bytes that decoded are the copy, flushed before path.txt names it.
  if (!present && !graphics::WriteFileAtomically(LongPath(target), bytes.data(), bytes.size())) {
    choice.showMessage(Texts().failed, true);
    return;
  }
  const bool written = WriteWholeFile(pathFile, *gbkName);
  choice.showMessage(written ? Texts().backgroundChanged : Texts().failed, !written);
}

std::optional<std::wstring> ChoosePictureFile(HWND owner, const std::wstring& initialFolder) {
  wchar_t file[32768] = {};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  // Every kind the program shows, one at a time with "*.jpg" first (the dialog opens on it), then
  // all of them at once.
  ofn.lpstrFilter =
      L"*.jpg\0*.jpg\0*.jpeg\0*.jpeg\0*.png\0*.png\0*.bmp\0*.bmp\0*.gif\0*.gif\0"
      L"*.jpg;*.jpeg;*.png;*.bmp;*.gif\0*.jpg;*.jpeg;*.png;*.bmp;*.gif\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = static_cast<DWORD>(std::size(file));
  ofn.lpstrInitialDir = initialFolder.c_str();
  // The program never uses the current directory, so the dialog must not move it either.
  ofn.Flags =
      OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&ofn)) return std::nullopt;
  return std::wstring(file);
}

}  // namespace app
