#include "skin/caption/button_fade.h"

namespace skin {

FadeEffects FadeOnMouseMove(WindowSkinRecord& record, bool inStrip, int32_t pointedButton) {
  FadeEffects effects;
  if (inStrip) {
    if (!record.fadeTimerOn) {
      effects.startTimer = true;
      record.fadeTimerOn = true;
    }
  } else {
    record.fadeTimerOn = false;
  }
  const int32_t hover = record.hoverButton;
  if (hover > 0 && pointedButton != hover) {
    // A fade-out still running is finished at once before the next one starts.
    if (record.fadeOut.step < kFadeSteps && record.fadeOut.button > 0) {
      effects.draws.push_back({record.fadeOut.button, kUnlit});
    }
    record.fadeOut = {hover, 0};
  }
  if (pointedButton > 0 && pointedButton != hover) {
    record.fadeIn = {pointedButton, 0};
    // Coming back onto a button that is still fading out: fading in alone decides its look,
    // or the fade-out would leave the pointed button unlit.
    if (record.fadeOut.button == pointedButton) record.fadeOut = {};
  }
  record.hoverButton = pointedButton;
  return effects;
}

FadeEffects FadeOnMouseLeave(WindowSkinRecord& record) {
  FadeEffects effects;
  record.mouseTracked = false;
  if (record.hoverButton > 0 && record.captionActive != 0) {
    if (record.fadeIn.step < kFadeSteps && record.fadeOut.step < kFadeSteps) {
      if (record.fadeOut.button > 0) effects.draws.push_back({record.fadeOut.button, kUnlit});
      record.fadeIn = {};
    }
    record.fadeOut = {record.hoverButton, 0};
    record.hoverButton = 0;
  }
  return effects;
}

FadeEffects FadeOnTick(WindowSkinRecord& record) {
  FadeEffects effects;
  if (record.fadeIn.button > 0 && record.fadeIn.step < kFadeSteps) {
    ++record.fadeIn.step;
    effects.draws.push_back({record.fadeIn.button, FadeInAlpha(record.fadeIn.step)});
  }
  if (record.fadeOut.button > 0 && record.fadeOut.step < kFadeSteps) {
    ++record.fadeOut.step;
    effects.draws.push_back({record.fadeOut.button, FadeOutAlpha(record.fadeOut.step)});
  }
  const bool pointerGone = !record.mouseTracked || !record.fadeTimerOn;
  const bool fadeOutDone = record.fadeOut.step >= kFadeSteps || record.fadeOut.button == 0;
  if (pointerGone && fadeOutDone) {
    record.fadeTimerOn = false;
    effects.stopTimer = true;
    record.hoverButton = 0;
    record.fadeIn = {};
    record.fadeOut = {};
  }
  return effects;
}

}  // namespace skin
