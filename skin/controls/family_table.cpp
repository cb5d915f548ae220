#include "skin/controls/family_table.h"

#include <array>

#include "skin/controls/button_skin.h"
#include "skin/controls/header.h"
#include "skin/controls/list_control.h"
#include "skin/controls/progress_bar.h"

namespace skin::controls {
namespace {

using FamilyAttach = void (*)(int32_t windowIndex, HWND parent);

// In the order above; each kind brings its attach operation here.
constexpr std::array kFamilies{
    FamilyAttach{AttachPushButtons},
    FamilyAttach{AttachCheckAndRadioButtons},
    FamilyAttach{AttachProgressBars},
    FamilyAttach{AttachListControls},
    FamilyAttach{AttachHeaders},
};

}  // namespace

void AttachControlFamilies(int32_t windowIndex, HWND parent) {
  for (FamilyAttach attach : kFamilies) attach(windowIndex, parent);
}

}  // namespace skin::controls
