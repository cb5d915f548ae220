#include "skin/window_records.h"

#include "skin/controls/skinned_control.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/subclass.h"

namespace skin {

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

WindowRecords::~WindowRecords() {
  for (auto& record : records_) controls::ForgetControls(*record);
}

int32_t WindowRecords::Find(HWND window) const {
  if (!window) return 0;
  for (int32_t i = 0; i < Count(); ++i) {
    if (records_[i]->hwnd == window) return i + 1;
  }
  return 0;
}

WindowSkinRecord* WindowRecords::At(int32_t index) const {
  if (index < 1 || index > Count()) return nullptr;
  return records_[index - 1].get();
}

WindowSkinRecord* FrameRecordOf(HWND window) {
  return SubclassDataAs<WindowSkinRecord>(window, FrameSubclassProc);
}

WindowSkinRecord* OwnerRecordOf(HWND control) {
  for (HWND w = GetParent(control); w; w = GetParent(w)) {
    if (WindowSkinRecord* record = FrameRecordOf(w)) return record;
  }
  return nullptr;
}

int32_t WindowRecords::Append(std::unique_ptr<WindowSkinRecord> record) {
  records_.push_back(std::move(record));
  records_.back()->number = Count();
  return Count();
}

void WindowRecords::Remove(int32_t index) {
  if (index < 1 || index > Count()) return;
  // Keep the record alive until its slot is gone, so nothing sees a half-removed array.
  std::unique_ptr<WindowSkinRecord> removed = std::move(records_[index - 1]);
  controls::ForgetControls(*removed);
  records_.erase(records_.begin() + (index - 1));
  for (int32_t i = index; i <= Count(); ++i) {
    records_[i - 1]->number = i;
    WriteIndex(*records_[i - 1], i);
  }
}

void WindowRecords::ClearPictureCaches() {
  for (auto& record : records_) {
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

}  // namespace skin
