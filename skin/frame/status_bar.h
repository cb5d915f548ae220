// The optional status bar along the bottom of a skinned window: where it and its items lie, and
// each item drawn into the window's back buffer over the clean copy of the frame behind it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skin/window_record.h"

namespace skin {

// Gives the window a bar of that height (at 96 dpi) with those items (one empty item for none);
// nothing for a height of 0 or less. Lays it out.
void StartStatusBar(WindowSkinRecord& record, int32_t height,
                    const std::vector<std::wstring>& items, int32_t frameMargin);
// Places the bar and its items (equal shares) along the client area's bottom edge.
void LayoutStatusBar(WindowSkinRecord& record, int32_t frameMargin);
// Draws the 1-based item into the back buffer; the rectangle drawn, none when there is nothing to
// draw on or no such item.
std::optional<RECT> DrawStatusBarItem(WindowSkinRecord& record, int32_t item);
// The fields given replace the bar's text style.
void StyleStatusBar(StatusBar& bar, std::optional<int32_t> flag, std::optional<COLORREF> colour,
                    std::optional<std::wstring> fontName, std::optional<int32_t> fontSize);

}  // namespace skin
