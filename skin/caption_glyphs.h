// The glyphs the engine carries, as PNG bytes, each drawn for 100,
// 125, 150 and 200 percent: a screen gets the largest that its scale reaches, never a stretched
// one.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace skin {

// 100, 125, 150 or 200 for the DPI.
int GlyphPercent(int dpi);

std::vector<uint8_t> HelpGlyph(int dpi = 96);
std::vector<uint8_t> MenuGlyph(int dpi = 96);
std::vector<uint8_t> MinimizeGlyph(int dpi = 96);
std::vector<uint8_t> MaximizeGlyph(int dpi = 96);
std::vector<uint8_t> RestoreGlyph(int dpi = 96);
std::vector<uint8_t> CloseGlyph(int dpi = 96);

// The check box's empty box, or its mark.
std::span<const unsigned char> CheckBoxGlyph(bool mark, int dpi);

// The arrows of the up-down halves and of the combo box's drop button.
enum class Arrow { kUp, kDown, kLeft, kRight, kCombo };
std::span<const unsigned char> ArrowGlyph(Arrow arrow, int dpi);

}  // namespace skin
