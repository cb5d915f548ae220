#include "app/desktop/taskbar_presenter.h"

namespace app {
namespace {

unsigned Milliseconds(double seconds) {
  return seconds <= 0 ? 0u : static_cast<unsigned>(seconds * 1000.0 + 0.5);
}

}  // namespace

std::vector<ThumbButton> TaskbarPresenter::Buttons() const {
  return {{kThumbPrevious, ThumbIcon::kPrevious},
          {kThumbPlayPause, middle_},
          {kThumbNext, ThumbIcon::kNext}};
}

void TaskbarPresenter::SendProgress() { surface_.SetProgress(state_, done_, total_); }

void TaskbarPresenter::ButtonCreated() {
  surface_.AddButtons(Buttons());
  added_ = true;
  SendProgress();
}

void TaskbarPresenter::Show(const TaskbarView& view) {
  using Play = TaskbarView::Play;
  const bool going = view.play == Play::kPlaying || view.play == Play::kLoading;
  const ThumbIcon middle = going ? ThumbIcon::kPause : ThumbIcon::kPlay;
  TaskbarProgress state = TaskbarProgress::kNone;
  unsigned done = 0, total = 0;
  if (view.play != Play::kStopped) {
    state = view.play == Play::kPaused ? TaskbarProgress::kPaused : TaskbarProgress::kNormal;
    total = Milliseconds(view.durationSeconds);
    done = total ? Milliseconds(view.positionSeconds) : 0;
    if (done > total) done = total;
    // Whole seconds: the bar cannot show finer, and the shell need not hear it four times one.
    done -= done % 1000;
  }
  const bool buttonsChanged = middle != middle_;
  const bool progressChanged = state != state_ || done != done_ || total != total_;
  middle_ = middle;
  state_ = state;
  done_ = done;
  total_ = total;
  if (!added_) return;
  if (buttonsChanged) surface_.UpdateButtons(Buttons());
  if (progressChanged) SendProgress();
}

}  // namespace app
