// The caption's text in the frame's back buffer: in a face that has its glyphs, cut before the
// caption buttons, in ink that reads over the picture behind it.
#pragma once

#include <windows.h>

#include <string>

#include "graphics/gfx_types.h"

namespace skin {

struct WindowSkinRecord;

// What was written, for whoever watches the caption.
struct CaptionWritten {
  std::wstring shown;  // the text as drawn, cut with an ellipsis where it had to be
  std::wstring face;   // the font family it was drawn in
  int32_t right = 0;   // the right end of the drawn text and its edge, in client pixels
};

// Writes `text` in the record's caption font into `back`, laid out in `layout` and never past
// `textRight`. Nothing is drawn (and `shown` stays empty) when no font or room is left.
CaptionWritten WriteCaption(HDC back, const WindowSkinRecord& record, const std::wstring& text,
                            const graphics::GfxRectF& layout, int32_t textRight,
                            int32_t clientBottom);

}  // namespace skin
