// Combo boxes: a face drawn whole by the skin (a washed ring, a glass drop button and, for a
// drop-down list, the selected item's text), leaving the edit and list inside to themselves.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "skin/controls/glyph_pictures.h"
#include "skin/window_record.h"

namespace graphics {
class GfxBitmap;
}

namespace skin::controls {

struct ComboSkin : ControlRecord {
  GlyphPictures<1> arrow;
  void ReleaseGraphics() override { arrow.Release(); }
};

inline constexpr int32_t kDropButtonWidth = 17;

// Which parts the skin paints for a combo box of that style: a simple combo shows its list and
// edit only; an owner-drawn list draws its own item, so only the button is the skin's.
struct ComboParts {
  bool dropButton;
  bool text;
};
ComboParts ComboPartsFor(LONG style);

// The edits, then the combo boxes (with their edit while the wash is on), among the children.
void AttachEditsAndCombos(WindowSkinRecord* ownerRecord, HWND parent);

// The face onto the combo's window DC, hot and focused as the record says.
void PaintCombo(HWND combo);
// The combo face onto a DC holding the combo's window area.
void PaintComboOn(HWND combo, HDC target, bool hot, bool focused);

ComboSkin* ComboOf(HWND window);

}  // namespace skin::controls
