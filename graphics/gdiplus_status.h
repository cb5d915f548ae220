// The status of the most recent GDI+ call made by the graphics classes.
#pragma once

#include <cstdint>

namespace graphics {

extern int32_t lastGdiplusStatus;

// Stores a GDI+ status in lastGdiplusStatus; true exactly when it is Ok (0).
bool RecordGdiplusStatus(int32_t status);

}  // namespace graphics
