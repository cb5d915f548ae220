#include "skin/frame/paint_observer.h"

namespace skin {

namespace {
PaintObserver* observer = nullptr;
}  // namespace

PaintObserver* SetPaintObserver(PaintObserver* next) {
  PaintObserver* previous = observer;
  observer = next;
  return previous;
}

PaintObserver* CurrentPaintObserver() { return observer; }

}  // namespace skin
