// A background picture whose every pixel a test knows: blocks of saturated colours that no
// system colour comes near, so a pixel that should show the picture can be checked against the
// picture itself, and a control drawn in the system's greys fails.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace testing_support {

// The picture as BMP bytes: the program reads a picture by its content, whatever its name.
std::string BlockPictureBytes();

// The colour of the block under (x, y) of a client area of width x height that the picture is
// stretched over; nothing near a block's edge, where resampling blends two blocks.
std::optional<COLORREF> BlockColourAt(int x, int y, int width, int height);

bool Near(COLORREF a, COLORREF b, int tolerance);

// Near one of the system's colours (window, button face, grey text …).
bool IsSystemColour(COLORREF colour);

}  // namespace testing_support
