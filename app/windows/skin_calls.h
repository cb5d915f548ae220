// How the application skins its windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace app {

// The skin with the picture (empty: none) as background, then the window with all its child
// controls: caption height 25, caption active, sizable, no help or menu button, caption text,
// no gloss.
void skinWindow(HWND window, const std::vector<uint8_t>& picture);
// Where the skin keeps the background reduced for the screen between runs.
void KeepPictureCacheIn(const std::wstring& folder);
// Starts decoding the picture for the main window on a worker, so that skinWindow finds it done
// (a picture whose copy is kept in the cache folder is not decoded).
void DecodePictureAhead(std::shared_ptr<const std::vector<uint8_t>> picture,
                        const std::wstring& cacheFolder);
// Lets go of a decode ahead that was not taken, with its hold on the bytes.
void ForgetPictureAhead();
// Whether the picture last given to skinWindow decoded: skinning decodes it, once.
bool BackgroundPictureDecoded();
// The group box becomes a panel of the skinned window that holds it.
void skinGroupBox(HWND groupBox);

}  // namespace app
