// Push buttons, check boxes and radio buttons: their record, the attach operations, the subclass
// procedure and the owner-draw handling that skinned windows and panels hand WM_DRAWITEM to.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "graphics/gfx_tooltip.h"
#include "skin/controls/glyph_pictures.h"
#include "skin/window_record.h"

namespace skin::controls {

enum ButtonKind : int32_t {
  kPushButton = 0,
  kFlatButton = 1,  // engine-given style: a flat tinted pill
  kTextButton = 3,  // engine-given style: a caption that lights up, no face
  kRadioButton = 4,
  kCheckBox = 5,
};

struct ButtonSkin : FontedRecord {
  std::wstring text;
  int32_t checkState = 0;
  HWND parent = nullptr;
  graphics::GfxToolTip tooltip;
  GlyphPictures<2> checkGlyphs;  // a check box's box and mark
  void NoteText(const wchar_t* given) override { text = given ? given : L""; }
  void ReleaseGraphics() override { checkGlyphs.Release(); }
};

// What the attach operations take, from the style alone.
bool IsSkinnablePushButton(LONG style);
// Check boxes (kind 5) and automatic radio buttons (kind 4); 0 when neither.
int32_t CheckOrRadioKind(LONG style);

void AttachPushButtons(WindowSkinRecord* ownerRecord, HWND parent);
void AttachCheckAndRadioButtons(WindowSkinRecord* ownerRecord, HWND parent);
// Gives one button an engine-made push-button kind (1 or 3), attaching it when it is not yet.
void ReskinButton(WindowSkinRecord* ownerRecord, HWND button, int32_t kind);

// Repaints one attached button at once; hot adds the hot bit.
void RedrawButton(HWND window, UINT state, int32_t hot);
// WM_DRAWITEM of a skinned window or panel, with its own copy of the structure.
void DrawOwnerDrawnItem(WindowSkinRecord* ownerRecord, DRAWITEMSTRUCT item);

// The record of an attached button; null when the window is not one.
ButtonSkin* ButtonOf(HWND window);

}  // namespace skin::controls
