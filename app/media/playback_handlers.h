// The play list, the player and browser units and the download button, bound to the main
// window: created with the other units, driven by its timer and unit notifications.
#pragma once

#include <vector>

#include "app/desktop/taskbar_presenter.h"
#include "app/media/player_commands.h"
#include "app/windows/player_units.h"
#include "catalogue/folder_catalogue.h"
#include "catalogue/music_source.h"

namespace app {

// Starts OLE on this thread, creates 播放器1 and 超文本浏览框2 inside the group box (the browser
// starts opening the author's page) and sets the play list over the units.
void CreatePlaybackUnits(const PlayerUnits& units, int dpi);

// Lays 播放器1, 超文本浏览框2 and the player's own face out for another DPI.
void ScalePlaybackUnits(const PlayerUnits& units, int dpi);

// Releases the two controls, then OLE. Play-list input that still arrives finds no player.
void DestroyPlaybackUnits();

// A tick of 时钟_列表循环.
void OnLoopTimer();
// The source in the setting takes over at once: a fresh batch from it.
void UseKeptSource();
// A source the user chose and the program checked (a folder's files read already) takes over:
// a fresh batch from it; where nothing played, its first song starts.
void UseChosenSource(const catalogue::MusicSource& source, catalogue::FolderCatalogue scanned);

// A unit's WM_COMMAND notification; true when it was one of the play list's or the download
// button's.
bool OnPlaybackCommand(int unitId, int code);
// A WM_HSCROLL from a unit; true when it was one of the transport's bars.
bool OnPlaybackScroll(HWND bar, int code);

// What the keys, the media keys and the transport ask of the player.
void RunPlayerCommand(PlayerCommand command);
// As a double-click on the selected entry of 列表框2.
void PlaySelectedSong();

// No batch is coming in and the song asked for last is no longer loading: a held key may step on.
bool ReadyForAnotherStep();

// What the taskbar button shows of the song now.
TaskbarView CurrentTaskbarView();

// The player's volume (0 to 100) and mute; false, with both left alone, when there is no player.
bool PlayerSound(int& volume, bool& muted);
void SetPlayerSound(int volume, bool muted);

// The units show the texts of the program's language now.
void RefreshPlaybackUnits();
// The transport's units in tab order; none where the control has a face of its own.
std::vector<HWND> TransportTabStops();

}  // namespace app
