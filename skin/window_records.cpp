#include "skin/window_records.h"

#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/subclass.h"

namespace skin {

std::vector<std::unique_ptr<WindowSkinRecord>> windowRecords;

namespace {

void WriteIndex(const WindowSkinRecord& record, int32_t index) {
  if (record.hwnd) prop::Set(record.hwnd, prop::Hw_lbID, index);
  for (int kind = 0; kind < kControlListCount; ++kind) {
    const wchar_t* key = kind == kListCommonControls ? prop::Kj_FuID : prop::Hw_FuID;
    for (const auto& control : record.controls[kind]) {
      if (control && control->window) prop::Set(control->window, key, index);
    }
  }
}

}  // namespace

int32_t RecordCount() { return static_cast<int32_t>(windowRecords.size()); }

int32_t FindRecord(HWND window) {
  if (!window) return 0;
  for (int32_t i = 0; i < RecordCount(); ++i) {
    if (windowRecords[i]->hwnd == window) return i + 1;
  }
  return 0;
}

WindowSkinRecord* RecordAt(int32_t index) {
  if (index < 1 || index > RecordCount()) return nullptr;
  return windowRecords[index - 1].get();
}

WindowSkinRecord* FrameRecordOf(HWND window) {
  return SubclassDataAs<WindowSkinRecord>(window, FrameSubclassProc);
}

int32_t RecordIndexOf(HWND window) {
  const WindowSkinRecord* record = FrameRecordOf(window);
  if (!record) return 0;
  for (int32_t i = 0; i < RecordCount(); ++i) {
    if (windowRecords[i].get() == record) return i + 1;
  }
  return 0;
}

int32_t AppendRecord(std::unique_ptr<WindowSkinRecord> record) {
  windowRecords.push_back(std::move(record));
  return RecordCount();
}

void RemoveRecord(int32_t index) {
  if (index < 1 || index > RecordCount()) return;
  // Keep the record alive until its slot is gone, so nothing sees a half-removed array.
  std::unique_ptr<WindowSkinRecord> removed = std::move(windowRecords[index - 1]);
  windowRecords.erase(windowRecords.begin() + (index - 1));
  for (int32_t i = index; i <= RecordCount(); ++i) WriteIndex(*windowRecords[i - 1], i);
}

void ClearRecordPictureCaches() {
  for (auto& record : windowRecords) {
    record->pictureCache.Clear();
    for (CaptionButton& button : record->captionButtons) {
      button.decodedImage.reset();
      button.decodedAltImage.reset();
    }
    for (ControlList& list : record->controls) {
      for (auto& control : list) {
        if (control) control->ReleaseGraphics();
      }
    }
  }
}

void FreeWindowRecords() {
  windowRecords.clear();
  windowRecords.shrink_to_fit();
}

}  // namespace skin
