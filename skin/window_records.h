// The engine's window records: one WindowSkinRecord per skinned top-level window, 1-based, in the
// order of attachment, owned by the engine. A window reaches its own record in one step through
// its frame subclass; positions are kept for the way-in properties only.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/window_record.h"

namespace skin {

class WindowRecords {
 public:
  WindowRecords() = default;
  ~WindowRecords();
  WindowRecords(const WindowRecords&) = delete;
  WindowRecords& operator=(const WindowRecords&) = delete;

  int32_t Count() const { return static_cast<int32_t>(records_.size()); }
  // Linear search by window handle: the 1-based position, or 0.
  int32_t Find(HWND window) const;
  // The record at a 1-based position; null outside 1..count.
  WindowSkinRecord* At(int32_t index) const;
  // Appends the record; returns its position.
  int32_t Append(std::unique_ptr<WindowSkinRecord> record);
  // Removes the record; every record behind it moves down one place and gets its new position
  // written into Hw_lbID of its window, Hw_FuID (Kj_FuID for other common controls) of its
  // controls and Hw_FuID of its panels, for whoever reads them from outside.
  void Remove(int32_t index);
  // Drops the GDI+ objects the records keep: pictures, glyphs and the control skins' images
  // (before GDI+ shuts down).
  void ClearPictureCaches();

 private:
  std::vector<std::unique_ptr<WindowSkinRecord>> records_;
};

// The record of a skinned window, from its frame subclass's data; null for any other window.
WindowSkinRecord* FrameRecordOf(HWND window);
// The record of the skinned window that holds the control, searching up its parents.
WindowSkinRecord* OwnerRecordOf(HWND control);

}  // namespace skin
