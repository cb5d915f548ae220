#include "graphics/gdiplus_status.h"

namespace graphics {

int32_t lastGdiplusStatus = 0;

bool RecordGdiplusStatus(int32_t status) {
  lastGdiplusStatus = status;
  return status == 0;
}

}  // namespace graphics
