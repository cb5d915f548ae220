// Whoever watches the painters: the tests and the benchmark set a watcher on their engine to see
// what was composed and decoded; the program sets none, so painting only tests a pointer.
#pragma once

#include <windows.h>

#include <vector>

#include "skin/controls/face_layers.h"

namespace skin {

class PaintObserver {
 public:
  virtual ~PaintObserver() = default;
  // A control face was composed in `state` with `layers`.
  virtual void Face(HWND /*window*/, UINT /*state*/,
                    const std::vector<controls::Layer>& /*layers*/) {}
  virtual void PictureDecoded() {}
  virtual void BackgroundComposed() {}
};

}  // namespace skin
