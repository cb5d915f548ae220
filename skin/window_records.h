// windowRecords: one WindowSkinRecord per skinned top-level window, 1-based, in the order of
// attachment. Records are addressed by index through window properties, never by pointers
// kept across messages.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/window_record.h"

namespace skin {

extern std::vector<std::unique_ptr<WindowSkinRecord>> windowRecords;

int32_t RecordCount();
// Linear search by window handle: the 1-based index, or 0.
int32_t FindRecord(HWND window);
// The record at a 1-based index; null outside 1..count.
WindowSkinRecord* RecordAt(int32_t index);
// The record of a skinned window, from its frame subclass's data; null for any other window.
WindowSkinRecord* FrameRecordOf(HWND window);
// The index of that record; 0 for any other window.
int32_t RecordIndexOf(HWND window);
// Appends the record; returns its index.
int32_t AppendRecord(std::unique_ptr<WindowSkinRecord> record);
// Removes the record; every record behind it moves down one place and gets its new index written
// into Hw_lbID of its window, Hw_FuID (Kj_FuID for other common controls) of its controls and
// Hw_FuID of its panels.
void RemoveRecord(int32_t index);
// Drops the GDI+ objects the records keep: pictures, glyphs and the control skins' images
// (before GDI+ shuts down).
void ClearRecordPictureCaches();
// Frees every record (exit routine).
void FreeWindowRecords();

}  // namespace skin
