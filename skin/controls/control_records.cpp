// Engine operations that hand single controls and panels to the control skins: re-skinned
// buttons, common controls and panels.
#include "skin/controls/button_skin.h"
#include "skin/controls/common_control.h"
#include "skin/controls/family.h"
#include "skin/controls/panel.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"

namespace skin {

void SkinEngine::ReskinButton(HWND button, int32_t kind) {
  controls::ReskinButton(OwnerRecordOf(button), button, kind);
}

void SkinEngine::ReskinButtonKind1(HWND button) { ReskinButton(button, controls::kFlatButton); }
void SkinEngine::ReskinButtonKind3(HWND button) { ReskinButton(button, controls::kTextButton); }

void SkinEngine::AttachPanel(HWND panel, std::optional<int32_t> enabled,
                             std::optional<COLORREF> colour, std::optional<int32_t> alpha,
                             std::optional<int32_t> rounded) {
  controls::AttachPanel(OwnerRecordOf(panel), panel, enabled, colour, alpha, rounded);
}

void SkinEngine::SetPanelAlpha(HWND panel, uint8_t alpha) {
  PanelSkin* skin = controls::PanelOf(panel);
  if (!skin) return;
  if (skin->colour != 0) skin->alpha = alpha;
  InvalidateRect(panel, nullptr, TRUE);
}

void SkinEngine::AttachCommonControl(HWND control) {
  controls::AttachCommonControl(OwnerRecordOf(control), control);
}

}  // namespace skin
