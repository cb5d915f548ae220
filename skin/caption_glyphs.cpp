#include "skin/caption_glyphs.h"

#include <span>

#include "embedded/resources.h"

namespace skin {
namespace {

std::vector<uint8_t> Bytes(std::span<const unsigned char> png) { return {png.begin(), png.end()}; }

}  // namespace

std::vector<uint8_t> HelpGlyph() { return Bytes(resources::caption_help_png); }
std::vector<uint8_t> MenuGlyph() { return Bytes(resources::caption_menu_png); }
std::vector<uint8_t> MinimizeGlyph() { return Bytes(resources::caption_minimize_png); }
std::vector<uint8_t> MaximizeGlyph() { return Bytes(resources::caption_maximize_png); }
std::vector<uint8_t> RestoreGlyph() { return Bytes(resources::caption_restore_png); }
std::vector<uint8_t> CloseGlyph() { return Bytes(resources::caption_close_png); }

}  // namespace skin
