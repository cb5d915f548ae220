// Engine operations that record single controls and panels in a window's record: re-skinned
// buttons, common controls and panels.
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"

namespace skin {
namespace {

// The record of the skinned window that holds the control, searching up its parents.
int32_t OwnerRecord(HWND control) {
  for (HWND w = GetParent(control); w; w = GetParent(w)) {
    if (const int32_t index = FindRecord(w)) return index;
  }
  return 0;
}

// Slot rule: a list holding a single record without a window counts as empty.
int32_t TakeSlot(ControlList& list) {
  if (list.size() == 1 && list[0] && list[0]->window == nullptr) return 1;
  list.push_back(std::make_unique<ControlRecord>());
  return static_cast<int32_t>(list.size());
}

int32_t SlotOf(const ControlList& list, HWND window) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] && list[i]->window == window) return static_cast<int32_t>(i) + 1;
  }
  return 0;
}

// Until a control skin takes the control over, its messages go on to its own procedure.
LRESULT CALLBACK ChainToHwProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = prop::GetAs<WNDPROC>(hwnd, prop::Hw_hProc);
  if (!previous) return DefWindowProcA(hwnd, message, wParam, lParam);
  return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ChainToKjProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = prop::GetAs<WNDPROC>(hwnd, prop::Kj_hProc);
  if (!previous) return DefWindowProcA(hwnd, message, wParam, lParam);
  return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

WNDPROC Subclass(HWND control, const char* key, WNDPROC proc) {
  prop::Set(control, key, GetWindowLongPtrA(control, GWLP_WNDPROC));
  const auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
  prop::Set(control, key, reinterpret_cast<intptr_t>(previous));
  return previous;
}

}  // namespace

void SkinEngine::ReskinButton(HWND button, int32_t kind) {
  WindowSkinRecord* record = RecordAt(OwnerRecord(button));
  if (!record || !button) return;
  ControlList& list = record->controls[kListButtons];
  int32_t slot = SlotOf(list, button);
  if (slot > 0) {
    list[slot - 1]->kind = kind;
    return;
  }
  slot = TakeSlot(list);
  ControlRecord& control = *list[slot - 1];
  control.window = button;
  control.kind = kind;
  prop::Set(button, prop::Hw_FuID, FindRecord(record->hwnd));
  prop::Set(button, prop::Hw_lbID, slot);
  control.previousProc = Subclass(button, prop::Hw_hProc, ChainToHwProc);
}

void SkinEngine::ReskinButtonKind1(HWND button) { ReskinButton(button, 1); }
void SkinEngine::ReskinButtonKind3(HWND button) { ReskinButton(button, 3); }

void SkinEngine::AttachPanel(HWND panel, std::optional<int32_t> enabled,
                             std::optional<COLORREF> colour, std::optional<int32_t> alpha,
                             std::optional<int32_t> rounded) {
  const int32_t index = OwnerRecord(panel);
  WindowSkinRecord* record = RecordAt(index);
  if (!record || !panel) return;
  for (const PanelSkin& existing : record->panels) {
    if (existing.window == panel) return;
  }
  PanelSkin skin;
  skin.window = panel;
  skin.colour = colour.value_or(0);
  skin.alpha = static_cast<uint8_t>(alpha.value_or(255));
  skin.rounded = rounded.value_or(0);
  skin.enabled = enabled.value_or(1);
  skin.needsRepaint = 1;
  char cls[16] = {};
  GetClassNameA(panel, cls, sizeof(cls));
  if (lstrcmpiA(cls, "Button") == 0 && (GetWindowLongA(panel, GWL_STYLE) & 0x4)) {
    skin.isGroupBox = 1;
  }
  record->panels.push_back(std::move(skin));
  const auto slot = static_cast<int32_t>(record->panels.size());
  // The panel skin brings the attaching of the panel's children and its subclass procedure;
  // the record and these properties are what the backdrop search needs meanwhile.
  prop::Set(panel, prop::Hw_lbID, slot);
  prop::Set(panel, prop::Hw_FuID, index);
  prop::Set(panel, prop::Mb_zpf, prop::Get(GetParent(panel), prop::Wxk_Zpf));
}

void SkinEngine::SetPanelAlpha(HWND panel, uint8_t alpha) {
  WindowSkinRecord* record = RecordAt(static_cast<int32_t>(prop::Get(panel, prop::Hw_FuID)));
  if (!record) return;
  const auto slot = static_cast<size_t>(prop::Get(panel, prop::Hw_lbID));
  if (slot < 1 || slot > record->panels.size()) return;
  PanelSkin& skin = record->panels[slot - 1];
  if (skin.window != panel) return;
  if (skin.colour != 0) skin.alpha = alpha;
  InvalidateRect(panel, nullptr, TRUE);
}

void SkinEngine::AttachCommonControl(HWND control) {
  const int32_t index = OwnerRecord(control);
  WindowSkinRecord* record = RecordAt(index);
  if (!record || !control) return;
  ControlList& list = record->controls[kListCommonControls];
  if (SlotOf(list, control) > 0) return;
  const int32_t slot = TakeSlot(list);
  ControlRecord& entry = *list[slot - 1];
  entry.window = control;
  prop::Set(control, prop::Kj_FuID, index);
  prop::Set(control, prop::Kj_lbID, slot);
  entry.previousProc = Subclass(control, prop::Kj_hProc, ChainToKjProc);
  AttachPanel(control);
}

}  // namespace skin
