// The glyphs the engine carries, as PNG bytes, each drawn for 100,
// 125, 150 and 200 percent: a screen gets the largest that its scale reaches, never a stretched
// one.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace graphics {
class GfxBitmap;
}

namespace skin {

struct CaptionButton;

// 100, 125, 150 or 200 for the DPI.
int GlyphPercent(int dpi);

// The engine's glyph for a caption button of that kind (CaptionButtonKind), or with `alternative`
// the maximize button's restore glyph; empty for a caller's button.
std::span<const unsigned char> CaptionGlyph(int32_t kind, bool alternative, int dpi);

// The button sized for `dpi` and, unless it is a caller's, given the engine's glyphs drawn for
// it; the copies decoded before are let go of.
void FitButtonToDpi(CaptionButton& button, int dpi);

// A caller's caption-button picture, which is drawn for 96 dpi and comes in one size only: at
// `dpi` it is made its size times the scale, with high-quality bicubic filtering. Null at 96
// dpi or when it cannot be made.
std::unique_ptr<graphics::GfxBitmap> CallerPictureAt(const graphics::GfxBitmap& picture, int dpi);

// The button's picture (the alternative one: the restore glyph) decoded once, and for a caller's
// button scaled to `dpi`; null when it has none or it does not decode.
const graphics::GfxBitmap* ButtonPicture(CaptionButton& button, bool alternative, int dpi);

// The check box's empty box, or its mark.
std::span<const unsigned char> CheckBoxGlyph(bool mark, int dpi);

// The arrows of the up-down halves and of the combo box's drop button.
enum class Arrow { kUp, kDown, kLeft, kRight, kCombo };
std::span<const unsigned char> ArrowGlyph(Arrow arrow, int dpi);

}  // namespace skin
