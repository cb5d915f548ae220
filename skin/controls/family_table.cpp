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
void AttachControlFamilies(WindowSkinRecord* ownerRecord, HWND parent) {
  AttachPushButtons(ownerRecord, parent);
  AttachCheckAndRadioButtons(ownerRecord, parent);
  AttachEditsAndCombos(ownerRecord, parent);
  AttachSliders(ownerRecord, parent);
  AttachProgressBars(ownerRecord, parent);
  AttachListControls(ownerRecord, parent);
  AttachUpDowns(ownerRecord, parent);
  AttachHeaders(ownerRecord, parent);
}

}  // namespace skin::controls
