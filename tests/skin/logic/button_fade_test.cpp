// Caption-button fades, tick by tick.
#include "skin/caption/button_fade.h"

#include <gtest/gtest.h>

namespace {

using skin::FadeDraw;
using skin::FadeEffects;
using skin::kUnlit;

struct Fades : testing::Test {
  skin::WindowSkinRecord record;
  void SetUp() override {
    record.captionActive = 1;
    record.mouseTracked = true;  // the hover message came
  }
  std::vector<FadeDraw> Tick(bool* stopped = nullptr) {
    const FadeEffects e = skin::FadeOnTick(record);
    if (stopped) *stopped = e.stopTimer;
    return e.draws;
  }
  FadeEffects Move(bool inStrip, int32_t button) {
    return skin::FadeOnMouseMove(record, inStrip, button);
  }
};

TEST_F(Fades, EnteringAButtonStartsTheTimerAndFadesInOverEightTicks) {
  const FadeEffects e = Move(true, 2);
  EXPECT_TRUE(e.startTimer);
  EXPECT_TRUE(e.draws.empty());
  EXPECT_EQ(record.hoverButton, 2);
  for (int step = 1; step <= 8; ++step) {
    bool stopped = true;
    EXPECT_EQ(Tick(&stopped), (std::vector<FadeDraw>{{2, 30 * step}})) << step;
    EXPECT_FALSE(stopped);
  }
  EXPECT_TRUE(Tick().empty());
  // Moving within the same button starts nothing new.
  EXPECT_FALSE(Move(true, 2).startTimer);
  EXPECT_TRUE(Tick().empty());
}

TEST_F(Fades, StraightToANeighbourFadesOneOutWhileTheOtherFadesIn) {
  Move(true, 1);
  for (int i = 0; i < 8; ++i) Tick();
  const FadeEffects e = Move(true, 2);
  EXPECT_FALSE(e.startTimer);
  EXPECT_TRUE(e.draws.empty());
  EXPECT_EQ(record.hoverButton, 2);
  for (int step = 1; step <= 8; ++step) {
    EXPECT_EQ(Tick(), (std::vector<FadeDraw>{{2, 30 * step}, {1, 240 - 30 * step}})) << step;
  }
  EXPECT_TRUE(Tick().empty());
}

TEST_F(Fades, ARunningFadeOutIsFinishedAtOnceBeforeTheNextStarts) {
  Move(true, 1);
  Tick();
  Move(true, 2);  // 1 starts fading out
  Tick();
  Tick();
  const FadeEffects e = Move(true, 3);
  EXPECT_EQ(e.draws, (std::vector<FadeDraw>{{1, kUnlit}}));
  EXPECT_EQ(record.fadeOut.button, 2);
  EXPECT_EQ(record.fadeOut.step, 0);
  EXPECT_EQ(record.fadeIn.button, 3);
  EXPECT_EQ(Tick(), (std::vector<FadeDraw>{{3, 30}, {2, 210}}));
}

TEST_F(Fades, IntoTheGapFadesOutAndStartsNoFadeIn) {
  Move(true, 1);
  for (int i = 0; i < 8; ++i) Tick();
  Move(true, 0);
  EXPECT_EQ(record.hoverButton, 0);
  EXPECT_EQ(record.fadeOut.button, 1);
  EXPECT_EQ(Tick(), (std::vector<FadeDraw>{{1, 210}}));
}

TEST_F(Fades, BelowTheStripTheTimerStopsOnceTheFadeOutIsDone) {
  Move(true, 1);
  for (int i = 0; i < 8; ++i) Tick();
  Move(false, 0);
  EXPECT_FALSE(record.fadeTimerOn);
  bool stopped = false;
  for (int step = 1; step <= 7; ++step) {
    EXPECT_EQ(Tick(&stopped), (std::vector<FadeDraw>{{1, 240 - 30 * step}}));
    EXPECT_FALSE(stopped) << step;
  }
  EXPECT_EQ(Tick(&stopped), (std::vector<FadeDraw>{{1, 0}}));
  EXPECT_TRUE(stopped);
  EXPECT_EQ(record.hoverButton, 0);
  EXPECT_EQ(record.fadeIn.button, 0);
  EXPECT_EQ(record.fadeOut.button, 0);
  // Back in the strip the timer starts again.
  EXPECT_TRUE(Move(true, 1).startTimer);
}

TEST_F(Fades, LeavingTheWindowFadesTheLitButtonOut) {
  Move(true, 3);
  for (int i = 0; i < 8; ++i) Tick();
  const FadeEffects e = skin::FadeOnMouseLeave(record);
  EXPECT_TRUE(e.draws.empty());  // the fade-in had finished
  EXPECT_FALSE(record.mouseTracked);
  EXPECT_EQ(record.hoverButton, 0);
  EXPECT_EQ(record.fadeOut.button, 3);
  bool stopped = false;
  for (int step = 1; step <= 8; ++step) {
    EXPECT_EQ(Tick(&stopped), (std::vector<FadeDraw>{{3, 240 - 30 * step}}));
    EXPECT_EQ(stopped, step == 8) << step;
  }
}

TEST_F(Fades, LeavingDuringBothFadesEndsTheFadeOutAndDropsTheFadeIn) {
  Move(true, 1);
  for (int i = 0; i < 8; ++i) Tick();
  Move(true, 2);
  Tick();
  const FadeEffects e = skin::FadeOnMouseLeave(record);
  EXPECT_EQ(e.draws, (std::vector<FadeDraw>{{1, kUnlit}}));
  EXPECT_EQ(record.fadeIn.button, 0);
  EXPECT_EQ(record.fadeOut.button, 2);
  EXPECT_EQ(Tick(), (std::vector<FadeDraw>{{2, 210}}));
}

TEST_F(Fades, WithoutTheHoverMessageTheTimerStopsAtTheFirstIdleTick) {
  record.mouseTracked = false;
  Move(true, 0);
  bool stopped = false;
  EXPECT_TRUE(Tick(&stopped).empty());
  EXPECT_TRUE(stopped);
  EXPECT_FALSE(record.fadeTimerOn);
}

TEST_F(Fades, LeavingWithNothingLitChangesNothing) {
  Move(true, 1);
  Move(true, 0);
  Tick();
  const skin::ButtonFade before = record.fadeOut;
  EXPECT_TRUE(skin::FadeOnMouseLeave(record).draws.empty());
  EXPECT_EQ(record.fadeOut.button, before.button);
  EXPECT_EQ(record.fadeOut.step, before.step);
}

TEST_F(Fades, ComingBackOntoAFadingButtonLightsItAgain) {
  Move(true, 2);
  for (int i = 0; i < 8; ++i) Tick();
  Move(true, 0);
  Tick();
  Move(true, 2);
  for (int step = 1; step <= 8; ++step) {
    EXPECT_EQ(Tick(), (std::vector<FadeDraw>{{2, 30 * step}})) << step;
  }
}

}  // namespace
