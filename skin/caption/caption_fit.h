// A caption cut to the room before the caption buttons, ending with an ellipsis, measured by
// whoever draws it.
#pragma once

#include <functional>
#include <string>

namespace skin {

// `text` whole when `measure(text)` fits `width`; otherwise its longest start that fits with
// "…" after it (never half of a surrogate pair, trailing blanks dropped); "…" alone, or
// nothing when not even that fits.
std::wstring FitWithEllipsis(const std::wstring& text, float width,
                             const std::function<float(const std::wstring&)>& measure);

}  // namespace skin
