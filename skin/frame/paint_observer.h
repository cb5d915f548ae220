// Whoever watches the painters: the tests and the benchmark install a watcher to see what was
// composed and decoded; the program installs none, so painting only tests a pointer.
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

// Installs `observer` (nullptr: none); returns the one it replaces.
PaintObserver* SetPaintObserver(PaintObserver* observer);
PaintObserver* CurrentPaintObserver();

}  // namespace skin
