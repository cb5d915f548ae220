#include "skin/controls/family_table.h"

#include <array>

#include "skin/controls/button_skin.h"
#include "skin/controls/combo_skin.h"
#include "skin/controls/header.h"
#include "skin/controls/list_control.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/slider.h"
#include "skin/controls/up_down.h"

namespace skin::controls {
namespace {

using FamilyAttach = void (*)(int32_t windowIndex, HWND parent);

// In the order above; each kind brings its attach operation here.
// clang-format off
constexpr std::array kFamilies{
    FamilyAttach{AttachPushButtons},
    FamilyAttach{AttachCheckAndRadioButtons},
    FamilyAttach{AttachEditsAndCombos},
    FamilyAttach{AttachSliders},
    FamilyAttach{AttachProgressBars},
    FamilyAttach{AttachListControls},
    FamilyAttach{AttachUpDowns},
    FamilyAttach{AttachHeaders},
};
// clang-format on

}  // namespace

void AttachControlFamilies(int32_t windowIndex, HWND parent) {
  for (FamilyAttach attach : kFamilies) attach(windowIndex, parent);
}

}  // namespace skin::controls
