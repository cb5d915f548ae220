// Which layers a button face is made of, in drawing order, from the owner-draw state bits and
// the check state alone: the painters draw exactly these, and tests read them without a window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace skin::controls {

inline constexpr UINT kStatePressed = 0x1;  // ODS_SELECTED
inline constexpr UINT kStateDisabled = 0x4;
inline constexpr UINT kStateFocus = 0x10;
inline constexpr UINT kStateHot = 0x40;

enum class Layer {
  kWhiteBase,        // the rounded face, white
  kDisabledFill,     // opaque silver over the whole rectangle
  kDisabledOutline,  // thin dark outline
  kShade,            // top-to-bottom grey gradient
  kGloss,            // white gloss over the upper half
  kHotFill,          // accent gradient
  kHotOutline,       // accent outline
  kFocusGlow,        // soft wide glow
  kFocusOutline,     // dark outline of a focused face
  kOutline,          // dark outline of an unfocused face
  kPressed,          // sunken inner gradient
  kRing,             // radio: outer ring
  kDisc,             // radio: white inner disc with its shaded hollow
  kHotDisc,          // radio: accent tint and glow
  kDot,              // radio: the checked dot
  kBoxImage,         // check box: the box picture
  kCheckImage,       // check box: the check-mark picture
  kHotBox,           // check box: accent tint and glow
  kFlatFace,         // kind 1: flat tinted pill
  kFlatLine,         // kind 1: white inner line
  kUnderline,        // kind 3: accent underline
  kSeparator,        // header: the line between two items
  kCaption,
  kFocusCue,  // check box, radio: the keyboard focus outline round the caption
};

std::vector<Layer> PushButtonLayers(UINT state);
std::vector<Layer> RadioButtonLayers(UINT state, bool checked);
std::vector<Layer> CheckBoxLayers(UINT state, bool checked);
std::vector<Layer> FlatButtonLayers(UINT state);
std::vector<Layer> TextButtonLayers(UINT state);

// A header item: glass like a push button, the accent tint under the pointer, sunk while pressed.
std::vector<Layer> HeaderItemLayers(bool hot, bool pressed);
// GDI+ alignment (0 near, 1 centre, 2 far) of a header item's text from its HDF_ format bits.
int32_t HeaderTextAlignment(int32_t format);

// Alpha of the flat style's tint: brighter when hot, stronger when pressed.
int32_t FlatTintAlpha(UINT state);

// Left edge of a group box caption of that width in a box of width w, by the style's
// alignment bits (BS_LEFT 0x100, BS_RIGHT 0x200, BS_CENTER 0x300); 0 without any.
int32_t GroupCaptionX(LONG style, int32_t boxWidth, int32_t captionWidth);

}  // namespace skin::controls
