// The caption file's text as the main window's caption.
#pragma once

#include <cstddef>
#include <string>

namespace app {

// Far more than a caption bar shows. A caption of many megabytes takes minutes to draw and
// makes Wine's X11 driver fail on the window name.
inline constexpr size_t kMaxCaptionUnits = 1024;

// The text whole when it is short enough; otherwise its first kMaxCaptionUnits UTF-16 units,
// never half of a surrogate pair.
std::wstring CaptionText(std::wstring text);

}  // namespace app
