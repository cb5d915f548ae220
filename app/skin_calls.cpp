#include "app/skin_calls.h"

#include <optional>
#include <string>

#include "app/program_state.h"
#include "skin/picture/picture_ahead.h"
#include "skin/picture/reduced_picture_file.h"
#include "skin/picture/screen_picture.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"

namespace app {

void skinWindow(HWND window, const std::vector<uint8_t>& picture) {
  skin::SkinEngine* engine = skinEngine;
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
  if (skinEngine) skinEngine->SetPictureCacheFolder(folder);
}

void ForgetPictureAhead() { skin::ForgetPictureDecode(); }

void DecodePictureAhead(std::shared_ptr<const std::vector<uint8_t>> picture,
                        const std::wstring& cacheFolder) {
  skin::StartPictureDecode(std::move(picture), skin::LargestClientSize(),
                           skin::PictureCacheFile(cacheFolder));
}

bool BackgroundPictureDecoded() { return skinEngine && skinEngine->BackgroundPicture() != nullptr; }

void skinGroupBox(HWND groupBox) {
  if (!skinEngine) return;
  skinEngine->AttachPanel(groupBox, 1, GetSysColor(COLOR_WINDOW), 0);
}

}  // namespace app
