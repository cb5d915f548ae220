// The play list, the player and browser units and the download button, bound to the main
// window: created with the other units, driven by its timer and unit notifications.
#pragma once

#include "app/player_units.h"

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

// A unit's WM_COMMAND notification; true when it was one of the play list's or the download
// button's.
bool OnPlaybackCommand(int unitId, int code);

}  // namespace app
