#include "graphics/dpi_font.h"

#include <map>
#include <mutex>
#include <string>
#include <tuple>

#include "graphics/dpi_scale.h"

namespace graphics {
namespace {

// A LOGFONT's bytes. A handle alone does not tell a font: a control may keep its own copy of the
// font it is given (a tooltip does), and a deleted font's handle is reused.
using Look = std::string;

Look LookOf(const LOGFONTW& font) {
  return Look(reinterpret_cast<const char*>(&font), sizeof font);
}

bool Read(HFONT font, LOGFONTW* look) {
  return GetObjectW(font, sizeof(*look), look) == static_cast<int>(sizeof(*look));
}

// What a font was made from: a font (null for a control's copy of one made here), how it looked
// and the DPI it was for.
struct Source {
  HFONT font;
  LOGFONTW look;
  int dpi;
};

class FontsForDpi {
 public:
  ~FontsForDpi() {
    for (auto& [key, font] : made_) DeleteObject(font);
  }

  HFONT For(HFONT font, int fromDpi, int toDpi) {
    std::lock_guard<std::mutex> lock(mutex_);
    LOGFONTW look{};
    if (!font || !IsUsableDpi(fromDpi) || !IsUsableDpi(toDpi) || !Read(font, &look)) return font;
    Source source{font, look, fromDpi};
    LOGFONTW now{};
    if (const auto it = byHandle_.find(font); it != byHandle_.end() &&
                                              Read(it->second.font, &now) &&
                                              LookOf(now) == LookOf(it->second.look)) {
      source = it->second;
      if (source.dpi == toDpi) return source.font;
    } else if (const auto copy = byLook_.find(LookOf(look)); copy != byLook_.end()) {
      source = Source{nullptr, copy->second.look, copy->second.dpi};
    } else if (fromDpi == toDpi) {
      return font;
    }
    const auto key = std::make_tuple(source.font, LookOf(source.look), source.dpi, toDpi);
    if (const auto it = made_.find(key); it != made_.end()) return it->second;
    LOGFONTW scaled = source.look;
    scaled.lfHeight = ScaleFontLength(source.look.lfHeight, source.dpi, toDpi);
    scaled.lfWidth = ScaleFontLength(source.look.lfWidth, source.dpi, toDpi);
    HFONT made = CreateFontIndirectW(&scaled);
    if (!made) return font;
    made_[key] = made;
    if (source.dpi != toDpi) {
      if (source.font) byHandle_[made] = source;
      byLook_.try_emplace(LookOf(scaled), source);
    }
    return made;
  }

 private:
  std::mutex mutex_;
  std::map<std::tuple<HFONT, Look, int, int>, HFONT> made_;
  std::map<HFONT, Source> byHandle_;  // each font made here, back to its own source
  std::map<Look, Source> byLook_;     // a copy of a font made here, back to a source that looks so
};

}  // namespace

int ScaleFontLength(int length, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || toDpi <= 0) return length;
  return MulDiv(length, toDpi, fromDpi);
}

HFONT FontForDpi(HFONT font, int fromDpi, int toDpi) {
  static FontsForDpi fonts;
  return fonts.For(font, fromDpi, toDpi);
}

}  // namespace graphics
