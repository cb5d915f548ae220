// The status of the most recent GDI+ call made by the graphics classes.
#pragma once

#include <cstdint>

namespace graphics {

extern int32_t lastGdiplusStatus;

}  // namespace graphics
