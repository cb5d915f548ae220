// The fade-in and fade-out of caption buttons under the mouse, as a state machine over the
// record's fade fields. The frame procedure runs the timer and the drawing it asks for.
#pragma once

#include <vector>

#include "skin/window_record.h"

namespace skin {

inline constexpr int32_t kFadeSteps = 8;
inline constexpr UINT kFadeInterval = 20;
inline constexpr int32_t kUnlit = -1;

// Alpha of a fading-in and a fading-out button at a step.
constexpr int32_t FadeInAlpha(int32_t step) { return step * 30; }
constexpr int32_t FadeOutAlpha(int32_t step) { return 240 - step * 30; }

struct FadeDraw {
  int32_t button = 0;
  int32_t alpha = kUnlit;  // kUnlit: drawn without the lit gradient
  bool operator==(const FadeDraw&) const = default;
};

struct FadeEffects {
  bool startTimer = false;
  bool stopTimer = false;
  std::vector<FadeDraw> draws;  // in order
};

// A mouse move with the strip test's result and the button under the pointer (0 = none).
FadeEffects FadeOnMouseMove(WindowSkinRecord& record, bool inStrip, int32_t pointedButton);
// The pointer left the window.
FadeEffects FadeOnMouseLeave(WindowSkinRecord& record);
// One tick of the fade timer, with the stop rule.
FadeEffects FadeOnTick(WindowSkinRecord& record);

}  // namespace skin
