// The keys the main window takes from the message loop: which key, sent to which window, with
// which modifiers held, does what. Real windows in this thread stand in for the player's units.
#include "app/keys/key_router.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/application.h"

namespace {

using app::PlayerCommand;

// The units, by the name the table uses; kNone keeps what the row started from.
enum Unit {
  kNone,
  kMain,
  kList,
  kLoop,
  kSingle,
  kBatch,
  kHidden,
  kDisabled,
  kEdit,
  kSlider,
  kHost,
  kInHost,
  kAway
};
constexpr int kBatchId = 104, kSingleId = 106;

// Keeps the buttons clicked in it, in the list its user data points at.
LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* clicks = reinterpret_cast<std::vector<int>*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && clicks) {
    clicks->push_back(LOWORD(wParam));
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

class RouteKey : public ::testing::Test {
 protected:
  app::Application application_;  // holds the router's state
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KeyRouterMain";
    RegisterClassA(&wc);
    at_[kMain] = CreateWindowExA(0, "KeyRouterMain", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                                 nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(at_[kMain], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&clicks_));
    const auto child = [&](Unit unit, const char* cls, const char* text, DWORD style, int id = 0) {
      at_[unit] = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 20 * unit, 80, 18,
                                  at_[kMain], reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  nullptr, nullptr);
    };
    child(kList, "ListBox", "", LBS_NOTIFY);
    child(kLoop, "Button", "列表循环", BS_AUTORADIOBUTTON | WS_GROUP, 105);
    child(kSingle, "Button", "单曲循环", BS_AUTORADIOBUTTON, kSingleId);
    child(kBatch, "Button", "换一批", BS_PUSHBUTTON | WS_GROUP, kBatchId);
    child(kHidden, "Button", "hidden", BS_PUSHBUTTON);
    ShowWindow(at_[kHidden], SW_HIDE);
    child(kDisabled, "Button", "disabled", WS_DISABLED | BS_PUSHBUTTON);
    child(kEdit, "Edit", "", 0);
    child(kSlider, "Static", "seek", SS_NOTIFY);  // neither a button nor an edit
    // A hosted control's window and one of its own inside, as the browser makes.
    child(kHost, "Static", "host", SS_NOTIFY);
    at_[kInHost] = CreateWindowExA(0, "Button", "link", WS_CHILD | WS_VISIBLE, 0, 0, 40, 10,
                                   at_[kHost], nullptr, nullptr, nullptr);
    at_[kAway] = CreateWindowExA(0, "Edit", "", WS_POPUP | WS_VISIBLE, 400, 0, 100, 30, nullptr,
                                 nullptr, nullptr, nullptr);
    for (int u = kMain; u <= kAway; ++u) ASSERT_NE(at_[u], nullptr) << u;
    app::SetKeyTargets(
        {at_[kMain], at_[kList],
         [this] {
           return std::vector<HWND>{at_[kList],   at_[kLoop],     at_[kBatch],
                                    at_[kHidden], at_[kDisabled], at_[kSlider]};
         },
         [this](PlayerCommand c) { commands_.push_back(c); }, [this] { ++playSelected_; },
         [this] { return std::vector<HWND>{at_[kHost]}; }, [this] { return stepReady_; }});
  }
  void TearDown() override {
    app::SetKeyTargets({});
    Hold(false, false, false);
    DestroyWindow(at_[kAway]);
    DestroyWindow(at_[kMain]);
  }
  static void Hold(bool ctrl, bool shift, bool alt) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  Unit FocusedUnit() const {
    for (int u = kMain; u <= kAway; ++u) {
      if (at_[u] == GetFocus()) return static_cast<Unit>(u);
    }
    return kNone;
  }
  bool Checked(Unit radio) const {
    return SendMessageA(at_[radio], BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  HWND at_[kAway + 1] = {};
  std::vector<PlayerCommand> commands_;
  std::vector<int> clicks_;
  int playSelected_ = 0;
  bool stepReady_ = true;
};

TEST_F(RouteKey, EachKeyDoesWhatItsUnitAndModifiersCallFor) {
  constexpr bool no = false, yes = true;
  const struct Row {
    const char* what;
    UINT message, key;
    bool ctrl, shift, alt;
    Unit to;
    bool taken;
    PlayerCommand command;
    bool playsSelected;
    int clicked;
    Unit focusAfter;  // kNone: where it was
    Unit checkedAfter;
    bool repeat = false;  // the key is held
    bool stepReady = true;
  } rows[] = {
      {"Enter plays the selected song", WM_KEYDOWN, VK_RETURN, no, no, no, kList, yes,
       PlayerCommand::kNone, yes, 0, kNone, kLoop},
      {"Enter presses a button", WM_KEYDOWN, VK_RETURN, no, no, no, kBatch, yes,
       PlayerCommand::kNone, no, kBatchId, kNone, kLoop},
      {"Enter presses a loop mode", WM_KEYDOWN, VK_RETURN, no, no, no, kSingle, yes,
       PlayerCommand::kNone, no, kSingleId, kNone, kSingle},
      {"Enter stays with an edit", WM_KEYDOWN, VK_RETURN, no, no, no, kEdit, no,
       PlayerCommand::kNone, no, 0, kNone, kLoop},
      {"Enter stays with another unit", WM_KEYDOWN, VK_RETURN, no, no, no, kSlider, no,
       PlayerCommand::kNone, no, 0, kNone, kLoop},
      {"Ctrl+Enter is no key of the player's", WM_KEYDOWN, VK_RETURN, yes, no, no, kList, no,
       PlayerCommand::kNone, no, 0, kNone, kLoop},
      {"Shift+Enter neither", WM_KEYDOWN, VK_RETURN, no, yes, no, kBatch, no, PlayerCommand::kNone,
       no, 0, kNone, kLoop},
      {"Space pauses from the list", WM_KEYDOWN, VK_SPACE, no, no, no, kList, yes,
       PlayerCommand::kPlayPause, no, 0, kNone, kLoop},
      {"Space on a button pauses and does not press it", WM_KEYDOWN, VK_SPACE, no, no, no, kBatch,
       yes, PlayerCommand::kPlayPause, no, 0, kNone, kLoop},
      {"Space on the window itself", WM_KEYDOWN, VK_SPACE, no, no, no, kMain, yes,
       PlayerCommand::kPlayPause, no, 0, kNone, kLoop},
      {"Space types into an edit", WM_KEYDOWN, VK_SPACE, no, no, no, kEdit, no,
       PlayerCommand::kNone, no, 0, kNone, kLoop},
      {"Ctrl+Space", WM_KEYDOWN, VK_SPACE, yes, no, no, kList, no, PlayerCommand::kNone, no, 0,
       kNone, kLoop},
      {"Shift+Space", WM_KEYDOWN, VK_SPACE, no, yes, no, kSlider, no, PlayerCommand::kNone, no, 0,
       kNone, kLoop},
      {"Alt+Space belongs to the frame", WM_KEYDOWN, VK_SPACE, no, no, yes, kSlider, no,
       PlayerCommand::kNone, no, 0, kNone, kLoop},
      {"Ctrl+Right: the next song", WM_KEYDOWN, VK_RIGHT, yes, no, no, kList, yes,
       PlayerCommand::kNext, no, 0, kNone, kLoop},
      {"Ctrl+Left: the previous song, from any unit", WM_KEYDOWN, VK_LEFT, yes, no, no, kSlider,
       yes, PlayerCommand::kPrevious, no, 0, kNone, kLoop},
      {"Ctrl+Left moves by words in an edit", WM_KEYDOWN, VK_LEFT, yes, no, no, kEdit, no,
       PlayerCommand::kNone, no, 0, kNone, kLoop},
      {"Ctrl+Shift+Right", WM_KEYDOWN, VK_RIGHT, yes, yes, no, kList, no, PlayerCommand::kNone, no,
       0, kNone, kLoop},
      {"Right alone stays with the seek bar", WM_KEYDOWN, VK_RIGHT, no, no, no, kSlider, no,
       PlayerCommand::kNone, no, 0, kNone, kLoop},
      {"Tab: the next unit", WM_KEYDOWN, VK_TAB, no, no, no, kList, yes, PlayerCommand::kNone, no,
       0, kLoop, kLoop},
      {"Tab passes over hidden and disabled units", WM_KEYDOWN, VK_TAB, no, no, no, kBatch, yes,
       PlayerCommand::kNone, no, 0, kSlider, kLoop},
      {"Tab goes round from the last", WM_KEYDOWN, VK_TAB, no, no, no, kSlider, yes,
       PlayerCommand::kNone, no, 0, kList, kLoop},
      {"Shift+Tab goes round from the first", WM_KEYDOWN, VK_TAB, no, yes, no, kList, yes,
       PlayerCommand::kNone, no, 0, kSlider, kLoop},
      {"Shift+Tab: the unit before", WM_KEYDOWN, VK_TAB, no, yes, no, kLoop, yes,
       PlayerCommand::kNone, no, 0, kList, kLoop},
      {"Tab from a unit outside the order: the first", WM_KEYDOWN, VK_TAB, no, no, no, kEdit, yes,
       PlayerCommand::kNone, no, 0, kList, kLoop},
      {"Shift+Tab from there: the last", WM_KEYDOWN, VK_TAB, no, yes, no, kEdit, yes,
       PlayerCommand::kNone, no, 0, kSlider, kLoop},
      {"Ctrl+Tab", WM_KEYDOWN, VK_TAB, yes, no, no, kList, no, PlayerCommand::kNone, no, 0, kNone,
       kLoop},
      {"Up on a loop mode checks the other", WM_KEYDOWN, VK_UP, no, no, no, kLoop, yes,
       PlayerCommand::kNone, no, kSingleId, kSingle, kSingle},
      {"Down does too", WM_KEYDOWN, VK_DOWN, no, no, no, kLoop, yes, PlayerCommand::kNone, no,
       kSingleId, kSingle, kSingle},
      {"Down in the list moves its selection", WM_KEYDOWN, VK_DOWN, no, no, no, kList, no,
       PlayerCommand::kNone, no, 0, kNone, kLoop},
      {"Ctrl+Up on a loop mode", WM_KEYDOWN, VK_UP, yes, no, no, kLoop, no, PlayerCommand::kNone,
       no, 0, kNone, kLoop},
      {"Alt+F4 belongs to the frame", WM_KEYDOWN, VK_F4, no, no, yes, kList, no,
       PlayerCommand::kNone, no, 0, kNone, kLoop},
      {"A key of another window", WM_KEYDOWN, VK_SPACE, no, no, no, kAway, no, PlayerCommand::kNone,
       no, 0, kNone, kLoop},
      {"Tab in another window", WM_KEYDOWN, VK_TAB, no, no, no, kAway, no, PlayerCommand::kNone, no,
       0, kNone, kLoop},
      {"The key's release", WM_KEYUP, VK_SPACE, no, no, no, kList, no, PlayerCommand::kNone, no, 0,
       kNone, kLoop},
      {"The character it makes", WM_CHAR, ' ', no, no, no, kList, no, PlayerCommand::kNone, no, 0,
       kNone, kLoop},
      // Held keys: a toggle once, a step only once the song before it has started.
      {"A held Space toggles no more", WM_KEYDOWN, VK_SPACE, no, no, no, kList, yes,
       PlayerCommand::kNone, no, 0, kNone, kLoop, yes},
      {"A held Ctrl+Right steps on once the song started", WM_KEYDOWN, VK_RIGHT, yes, no, no, kList,
       yes, PlayerCommand::kNext, no, 0, kNone, kLoop, yes, yes},
      {"A held Ctrl+Left waits while the song loads", WM_KEYDOWN, VK_LEFT, yes, no, no, kList, yes,
       PlayerCommand::kNone, no, 0, kNone, kLoop, yes, no},
      {"A first Ctrl+Right does not wait", WM_KEYDOWN, VK_RIGHT, yes, no, no, kList, yes,
       PlayerCommand::kNext, no, 0, kNone, kLoop, no, no},
      // Inside a hosted control every key is the control's.
      {"Space in the browser", WM_KEYDOWN, VK_SPACE, no, no, no, kInHost, no, PlayerCommand::kNone,
       no, 0, kNone, kLoop},
      {"Tab in the browser", WM_KEYDOWN, VK_TAB, no, no, no, kInHost, no, PlayerCommand::kNone, no,
       0, kNone, kLoop},
      {"Space on the media control itself", WM_KEYDOWN, VK_SPACE, no, no, no, kHost, no,
       PlayerCommand::kNone, no, 0, kNone, kLoop},
      {"Ctrl+Right in the browser", WM_KEYDOWN, VK_RIGHT, yes, no, no, kInHost, no,
       PlayerCommand::kNone, no, 0, kNone, kLoop},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    SendMessageA(at_[kLoop], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(at_[kSingle], BM_SETCHECK, BST_UNCHECKED, 0);
    SetFocus(at_[r.to]);
    ASSERT_EQ(FocusedUnit(), r.to);
    commands_.clear();
    clicks_.clear();
    playSelected_ = 0;
    stepReady_ = r.stepReady;
    Hold(r.ctrl, r.shift, r.alt);
    MSG msg{at_[r.to], r.message, r.key, r.repeat ? 0x40000001 : 1, 0, {}};
    EXPECT_EQ(app::RouteKey(msg), r.taken);
    Hold(false, false, false);
    EXPECT_EQ(commands_, r.command == PlayerCommand::kNone ? std::vector<PlayerCommand>{}
                                                           : std::vector<PlayerCommand>{r.command});
    EXPECT_EQ(playSelected_, r.playsSelected ? 1 : 0);
    EXPECT_EQ(clicks_, r.clicked ? std::vector<int>{r.clicked} : std::vector<int>{});
    EXPECT_EQ(FocusedUnit(), r.focusAfter == kNone ? r.to : r.focusAfter);
    EXPECT_EQ(Checked(kLoop), r.checkedAfter == kLoop);
    EXPECT_EQ(Checked(kSingle), r.checkedAfter == kSingle);
  }
}

TEST_F(RouteKey, ActivationGivesTheFocusBackToItsUnitOrElseToTheList) {
  SetFocus(at_[kBatch]);
  app::OnMainWindowActivation(false);
  SetFocus(at_[kAway]);
  app::OnMainWindowActivation(true);
  EXPECT_EQ(FocusedUnit(), kBatch);
  // A unit that has gone out of reach meanwhile: the list.
  app::OnMainWindowActivation(false);
  SetFocus(at_[kAway]);
  ShowWindow(at_[kBatch], SW_HIDE);
  app::OnMainWindowActivation(true);
  EXPECT_EQ(FocusedUnit(), kList);
  // Without targets, nothing is taken.
  app::SetKeyTargets({});
  EXPECT_FALSE(app::RouteKey(MSG{at_[kList], WM_KEYDOWN, VK_SPACE, 1, 0, {}}));
  EXPECT_TRUE(commands_.empty());
}

}  // namespace
