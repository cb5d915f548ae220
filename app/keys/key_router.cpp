#include "app/keys/key_router.h"

#include <algorithm>
#include <cstring>

#include "app/application.h"
#include "catalogue/message_pump.h"

namespace app {
namespace {

bool IsRadio(LONG style) {
  const LONG type = style & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

FocusKind KindOf(const KeyTargets& targets, HWND focus) {
  if (!focus) return FocusKind::kOther;
  if (targets.hosts) {
    for (HWND host : targets.hosts()) {
      if (host && (focus == host || IsChild(host, focus))) return FocusKind::kHosted;
    }
  }
  if (focus == targets.songList) return FocusKind::kSongList;
  wchar_t cls[32] = {};
  GetClassNameW(focus, cls, static_cast<int>(std::size(cls)));
  if (lstrcmpiW(cls, L"Edit") == 0) return FocusKind::kEdit;
  if (lstrcmpiW(cls, L"Button") != 0) return FocusKind::kOther;
  return IsRadio(GetWindowLongW(focus, GWL_STYLE)) ? FocusKind::kRadio : FocusKind::kButton;
}

bool Reachable(HWND w) { return IsWindowVisible(w) && IsWindowEnabled(w); }

// The window after `from` in the cycle, or before it going backwards; null when it is not there.
HWND NextInCycle(const std::vector<HWND>& cycle, HWND from, bool backwards) {
  const auto at = std::find(cycle.begin(), cycle.end(), from);
  if (at == cycle.end()) return nullptr;
  const size_t n = cycle.size();
  const auto i = static_cast<size_t>(at - cycle.begin());
  return cycle[(i + (backwards ? n - 1 : 1)) % n];
}

void MoveFocus(const KeyTargets& targets, HWND from, bool backwards) {
  if (!targets.tabOrder) return;
  std::vector<HWND> order = targets.tabOrder();
  order.erase(
      std::remove_if(order.begin(), order.end(), [](HWND w) { return !w || !Reachable(w); }),
      order.end());
  if (order.empty()) return;
  HWND to = NextInCycle(order, from, backwards);
  SetFocus(to ? to : (backwards ? order.back() : order.front()));
}

// The loop modes are one group: the arrows move between them and check the one reached, as in a
// dialog.
void MoveInRadioGroup(HWND from, bool backwards) {
  HWND parent = GetParent(from);
  std::vector<HWND> group;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, static_cast<int>(std::size(cls)));
    if (lstrcmpiW(cls, L"Button") == 0 && IsRadio(GetWindowLongW(w, GWL_STYLE)) && Reachable(w)) {
      group.push_back(w);
    }
  }
  HWND to = group.size() < 2 ? nullptr : NextInCycle(group, from, backwards);
  if (!to) return;
  SetFocus(to);
  SendMessageW(to, BM_CLICK, 0, 0);
}

}  // namespace

KeyOutcome OutcomeForKey(UINT virtualKey, KeyModifiers m, FocusKind focus, bool stepReady) {
  // Alt+F4 and the other Alt keys belong to the frame.
  if (m.alt || focus == FocusKind::kHosted) return {};
  const bool edit = focus == FocusKind::kEdit;
  switch (virtualKey) {
    case VK_TAB:
      if (m.ctrl) return {};
      return {m.shift ? KeyAction::kFocusPrevious : KeyAction::kFocusNext};
    case VK_SPACE:
      if (edit || m.ctrl || m.shift) return {};
      if (m.repeat) return {KeyAction::kSwallow};
      return {KeyAction::kCommand, PlayerCommand::kPlayPause};
    case VK_RIGHT:
    case VK_LEFT:
      // In an edit Ctrl and an arrow move by words.
      if (!m.ctrl || m.shift || edit) return {};
      if (m.repeat && !stepReady) return {KeyAction::kSwallow};
      return {KeyAction::kCommand,
              virtualKey == VK_RIGHT ? PlayerCommand::kNext : PlayerCommand::kPrevious};
    case VK_RETURN:
      if (m.ctrl || m.shift) return {};
      if (focus == FocusKind::kSongList) return {KeyAction::kPlaySelected};
      if (focus == FocusKind::kButton || focus == FocusKind::kRadio) return {KeyAction::kPress};
      return {};
    case VK_UP:
    case VK_DOWN:
      if (focus != FocusKind::kRadio || m.ctrl || m.shift) return {};
      return {virtualKey == VK_UP ? KeyAction::kRadioPrevious : KeyAction::kRadioNext};
    default:
      return {};
  }
}

void KeyRouter::SetTargets(KeyTargets targets) {
  targets_ = std::move(targets);
  lastFocus_ = nullptr;
  catalogue::SetMessageFilter(targets_.window ? RouteKey : nullptr);
}

bool KeyRouter::Route(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !targets_.window) return false;
  if (msg.hwnd != targets_.window && !IsChild(targets_.window, msg.hwnd)) return false;
  const KeyModifiers m{GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0,
                       GetKeyState(VK_MENU) < 0, (msg.lParam & (1 << 30)) != 0};
  const bool stepReady = !m.repeat || !targets_.stepReady || targets_.stepReady();
  const KeyOutcome outcome =
      OutcomeForKey(static_cast<UINT>(msg.wParam), m, KindOf(targets_, msg.hwnd), stepReady);
  switch (outcome.action) {
    case KeyAction::kPass:
      return false;
    case KeyAction::kSwallow:
      return true;
    case KeyAction::kCommand:
      if (targets_.command) targets_.command(outcome.command);
      return true;
    case KeyAction::kPlaySelected:
      if (targets_.playSelected) targets_.playSelected();
      return true;
    case KeyAction::kPress:
      SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
      return true;
    case KeyAction::kFocusNext:
    case KeyAction::kFocusPrevious:
      MoveFocus(targets_, msg.hwnd, outcome.action == KeyAction::kFocusPrevious);
      return true;
    case KeyAction::kRadioPrevious:
    case KeyAction::kRadioNext:
      MoveInRadioGroup(msg.hwnd, outcome.action == KeyAction::kRadioPrevious);
      return true;
  }
  return false;
}

void KeyRouter::OnActivation(bool active) {
  HWND window = targets_.window;
  if (!window) return;
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) lastFocus_ = focus;
    return;
  }
  HWND to = lastFocus_;
  if (!to || !IsChild(window, to) || !Reachable(to)) to = targets_.songList;
  if (to && Reachable(to)) SetFocus(to);
}

void SetKeyTargets(KeyTargets targets) { App().keys.SetTargets(std::move(targets)); }

bool RouteKey(const MSG& msg) { return HasApp() && App().keys.Route(msg); }

void OnMainWindowActivation(bool active) { App().keys.OnActivation(active); }

}  // namespace app
