#include "app/desktop/taskbar_presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace app {
namespace {

// Writes down every call, one line each.
class FakeSurface final : public TaskbarSurface {
 public:
  void AddButtons(const std::vector<ThumbButton>& b) override { calls.push_back("add " + Of(b)); }
  void UpdateButtons(const std::vector<ThumbButton>& b) override {
    calls.push_back("update " + Of(b));
  }
  void SetProgress(TaskbarProgress state, unsigned done, unsigned total) override {
    const char* name[] = {"none", "normal", "paused"};
    calls.push_back(std::string("progress ") + name[static_cast<int>(state)] + " " +
                    std::to_string(done) + "/" + std::to_string(total));
  }
  std::vector<std::string> Take() { return std::exchange(calls, {}); }
  std::vector<std::string> calls;

 private:
  static std::string Of(const std::vector<ThumbButton>& buttons) {
    const char* name[] = {"previous", "play", "pause", "next"};
    std::string text;
    for (const ThumbButton& b : buttons) {
      text += std::to_string(b.id - kThumbPrevious) + ":" + name[static_cast<int>(b.icon)] + " ";
    }
    return text;
  }
};

using Play = TaskbarView::Play;
using Calls = std::vector<std::string>;

TEST(TaskbarPresenter, ButtonsAndProgressFollowThePlayerAndComeBackWithTheButton) {
  FakeSurface fake;
  TaskbarPresenter taskbar(fake);
  // Nothing reaches a taskbar button that does not exist yet; its creation brings what holds now.
  taskbar.Show({Play::kPlaying, 3.2, 60});
  EXPECT_EQ(fake.Take(), Calls{});
  taskbar.ButtonCreated();
  EXPECT_EQ(fake.Take(), (Calls{"add 0:previous 1:pause 2:next ", "progress normal 3000/60000"}));
  // Within the same second, nothing; the next second, the progress alone.
  taskbar.Show({Play::kPlaying, 3.9, 60});
  EXPECT_EQ(fake.Take(), Calls{});
  taskbar.Show({Play::kPlaying, 4.1, 60});
  EXPECT_EQ(fake.Take(), Calls{"progress normal 4000/60000"});
  taskbar.Show({Play::kPaused, 4.1, 60});
  EXPECT_EQ(fake.Take(), (Calls{"update 0:previous 1:play 2:next ", "progress paused 4000/60000"}));
  taskbar.Show({Play::kStopped, 0, 60});
  EXPECT_EQ(fake.Take(), Calls{"progress none 0/0"});
  // A song loading: pause is offered, its length is not known yet.
  taskbar.Show({Play::kLoading, 0, 0});
  EXPECT_EQ(fake.Take(), (Calls{"update 0:previous 1:pause 2:next ", "progress normal 0/0"}));
  // A position past the length the control reported stays at the end.
  taskbar.Show({Play::kPlaying, 75, 60});
  EXPECT_EQ(fake.Take(), Calls{"progress normal 60000/60000"});
  // Explorer restarted, or the window came back from the tray: everything again.
  taskbar.ButtonCreated();
  EXPECT_EQ(fake.Take(), (Calls{"add 0:previous 1:pause 2:next ", "progress normal 60000/60000"}));
}

}  // namespace
}  // namespace app
