#include "skin/controls/family_table.h"

#include "skin/controls/button_skin.h"
#include "skin/controls/combo_skin.h"
#include "skin/controls/header.h"
#include "skin/controls/list_control.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/slider.h"
#include "skin/controls/up_down.h"

namespace skin::controls {

// In the order above; each kind brings its attach operation here. Called one by one rather than
// from a table: a table of addresses would be writable data.
void AttachControlFamilies(int32_t windowIndex, HWND parent) {
  AttachPushButtons(windowIndex, parent);
  AttachCheckAndRadioButtons(windowIndex, parent);
  AttachEditsAndCombos(windowIndex, parent);
  AttachSliders(windowIndex, parent);
  AttachProgressBars(windowIndex, parent);
  AttachListControls(windowIndex, parent);
  AttachUpDowns(windowIndex, parent);
  AttachHeaders(windowIndex, parent);
}

}  // namespace skin::controls
