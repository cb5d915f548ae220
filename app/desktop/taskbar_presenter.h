// The taskbar button's thumbnail toolbar (previous, play/pause, next) and its progress, decided
// here without a window; what carries them out is behind TaskbarSurface, so a test can stand in.
#pragma once

#include <windows.h>

#include <vector>

namespace app {

enum class ThumbIcon { kPrevious, kPlay, kPause, kNext };
struct ThumbButton {
  UINT id;
  ThumbIcon icon;
  bool operator==(const ThumbButton& o) const { return id == o.id && icon == o.icon; }
};
// The buttons' identifiers, as their clicks come back in WM_COMMAND (THBN_CLICKED).
inline constexpr UINT kThumbPrevious = 0x5101, kThumbPlayPause = 0x5102, kThumbNext = 0x5103;

enum class TaskbarProgress { kNone, kNormal, kPaused };

class TaskbarSurface {
 public:
  virtual ~TaskbarSurface() = default;
  // Once for each new taskbar button; Update after that.
  virtual void AddButtons(const std::vector<ThumbButton>& buttons) = 0;
  virtual void UpdateButtons(const std::vector<ThumbButton>& buttons) = 0;
  // `done` of `total` milliseconds; ignored for kNone.
  virtual void SetProgress(TaskbarProgress state, unsigned done, unsigned total) = 0;
};

struct TaskbarView {
  enum class Play { kStopped, kLoading, kPlaying, kPaused } play = Play::kStopped;
  double positionSeconds = 0, durationSeconds = 0;
};

class TaskbarPresenter {
 public:
  explicit TaskbarPresenter(TaskbarSurface& surface) : surface_(surface) {}
  // The window has a new taskbar button (TaskbarButtonCreated, or shown again from the tray):
  // the buttons are added anew and the progress given again.
  void ButtonCreated();
  // What plays now; the surface hears only what changed, nothing before the button exists.
  void Show(const TaskbarView& view);

 private:
  std::vector<ThumbButton> Buttons() const;
  void SendProgress();

  TaskbarSurface& surface_;
  bool added_ = false;
  ThumbIcon middle_ = ThumbIcon::kPlay;
  TaskbarProgress state_ = TaskbarProgress::kNone;
  unsigned done_ = 0, total_ = 0;
};

}  // namespace app
