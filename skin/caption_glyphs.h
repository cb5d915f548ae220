// The caption-button glyphs the engine carries, as PNG bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace skin {

std::vector<uint8_t> HelpGlyph();
std::vector<uint8_t> MenuGlyph();
std::vector<uint8_t> MinimizeGlyph();
std::vector<uint8_t> MaximizeGlyph();
std::vector<uint8_t> RestoreGlyph();
std::vector<uint8_t> CloseGlyph();

}  // namespace skin
