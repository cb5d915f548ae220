// The music source dialog: a small skinned window where the user picks a folder with the
// system's folder picker (the Music folder offered first) or types a folder or a catalogue
// address. A choice is checked before it is kept; a bad one says why in a message the dialog
// owns, and the old source stays.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "catalogue/folder_catalogue.h"
#include "catalogue/music_source.h"

namespace app {

inline constexpr wchar_t kSourceDialogClass[] = L"VelorySourceDialog";

// Given the source the user chose, once it is checked and kept, with its folder already read.
using SourceChosen = std::function<void(const catalogue::MusicSource&, catalogue::FolderCatalogue)>;

// Shows the dialog, owned by `owner` and centred on it, showing `current`; while one is open it
// is brought forward instead. Returns at once: the dialog lives until the user closes it.
void OpenSourceDialog(HWND owner, const catalogue::MusicSource& current,
                      const std::vector<uint8_t>& picture, SourceChosen chosen);

}  // namespace app
