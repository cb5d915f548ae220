#include "app/windows/skin_calls.h"

#include <optional>
#include <string>

#include "app/application.h"
#include "skin/picture/picture_ahead.h"
#include "skin/picture/reduced_picture_file.h"
#include "skin/picture/screen_picture.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"

namespace app {

void skinWindow(HWND window, const std::vector<uint8_t>& picture) {
  skin::SkinEngine* engine = Engine();
  if (!engine) return;
  engine->SetSkin(L"", picture, 0, 0xFF8800, 3);
  engine->SetOptions(1, 0);
  engine->AttachWindow(window, {.captionHeight = 25,
                                .captionActive = 1,
                                .sizable = 1,
                                .helpButton = 0,
                                .menuButton = 0,
                                .captionText = 1,
                                .captionGloss = 0});
}

void KeepPictureCacheIn(const std::wstring& folder) {
  if (skin::SkinEngine* engine = Engine()) engine->SetPictureCacheFolder(folder);
}

void ForgetPictureAhead() {
  if (HasApp()) App().pictureAhead.Forget();
}

void DecodePictureAhead(std::shared_ptr<const std::vector<uint8_t>> picture,
                        const std::wstring& cacheFolder) {
  if (!HasApp()) return;
  App().pictureAhead.Start(std::move(picture), skin::LargestClientSize(),
                           skin::PictureCacheFile(cacheFolder));
}

bool BackgroundPictureDecoded() {
  const skin::SkinEngine* engine = Engine();
  return engine && engine->BackgroundPicture() != nullptr;
}

void skinGroupBox(HWND groupBox) {
  skin::SkinEngine* engine = Engine();
  if (!engine) return;
  engine->AttachPanel(groupBox, 1, GetSysColor(COLOR_WINDOW), 0);
}

}  // namespace app
