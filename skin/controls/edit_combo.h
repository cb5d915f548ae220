// Edits and combo boxes: a thin frame in the edit's non-client area over the window's picture,
// the picture under the text while the wash is on, and a combo face drawn whole by the skin.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "skin/window_record.h"

namespace graphics {
class GfxBitmap;
}

namespace skin::controls {

struct EditSkin : ControlRecord {
  int32_t focused = 0;
  int32_t hot = 0;
  int32_t mouseDown = 0;
  int32_t tracking = 0;  // WM_MOUSELEAVE is armed
};

struct ComboSkin : ControlRecord {
  int32_t focused = 0;
  int32_t hot = 0;
  int32_t tracking = 0;
  std::shared_ptr<graphics::GfxBitmap> arrow;  // decoded on the first paint
  void ReleaseGraphics() override { arrow.reset(); }
};

inline constexpr int32_t kDropButtonWidth = 17;

// Which parts the skin paints for a combo box of that style: a simple combo shows its list and
// edit only; an owner-drawn list draws its own item, so only the button is the skin's.
struct ComboParts {
  bool dropButton;
  bool text;
};
ComboParts ComboPartsFor(LONG style);

// Whether a mouse move over an edit paints it hot now; records it as the hot one when it does.
bool TakeEditHover(WindowSkinRecord& window, int32_t slot, HWND parent);

// The frame surrounds the client area with its scroll bars (window coordinates).
RECT FramedArea(HWND window);

void AttachEditsAndCombos(int32_t windowIndex, HWND parent);
LRESULT CALLBACK EditSkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ComboSkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Omitted flags come from the record. The face state noted is kStateHot / kStateFocus.
void PaintEditFrame(HWND window, std::optional<int32_t> hot = {},
                    std::optional<int32_t> focused = {});
void PaintCombo(int32_t windowIndex, int32_t comboIndex, std::optional<int32_t> hot = {},
                std::optional<int32_t> focused = {});
// The combo face onto a DC holding the combo's window area (the painter's own target otherwise).
void PaintComboOn(HWND combo, HDC target, bool hot, bool focused);

EditSkin* EditOf(HWND window);
ComboSkin* ComboOf(HWND window);

}  // namespace skin::controls
