#include "graphics/gdiplus_status.h"

namespace graphics {

int32_t lastGdiplusStatus = 0;

}  // namespace graphics
