#include "app/windows/source_dialog.h"

#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "app/announcer.h"
#include "app/data/language.h"
#include "app/data/source_setting.h"
#include "app/media/com_ptr.h"
#include "app/windows/skin_calls.h"
#include "app/windows/unit_scale.h"
#include "app/windows/user_messages.h"
#include "catalogue/source_check.h"
#include "catalogue/text_routines.h"
#include "graphics/dpi_context.h"
#include "graphics/dpi_scale.h"
#include "skin/subclass.h"

namespace app {
namespace {

constexpr int kWidth = 420, kHeight = 140;
enum ControlId : int { kIdPath = 10, kIdBrowse, kIdOk, kIdCancel };

// The system's folder picker, opening on the user's Music folder; empty when cancelled.
std::wstring PickFolder(HWND owner) {
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IFileOpenDialog, reinterpret_cast<void**>(dialog.Out())))) {
    return {};
  }
  DWORD options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  PWSTR music = nullptr;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Music, 0, nullptr, &music))) {
    ComPtr<IShellItem> item;
    if (SUCCEEDED(SHCreateItemFromParsingName(music, nullptr, IID_IShellItem,
                                              reinterpret_cast<void**>(item.Out())))) {
      dialog->SetFolder(item.get());
    }
    CoTaskMemFree(music);
  }
  ComPtr<IShellItem> result;
  if (FAILED(dialog->Show(owner)) || FAILED(dialog->GetResult(result.Out()))) return {};
  PWSTR path = nullptr;
  if (FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &path))) return {};
  std::wstring folder = path;
  CoTaskMemFree(path);
  return folder;
}

// Enter in the field presses 确定 and Escape closes the dialog, as in a system dialog.
LRESULT CALLBACK FieldKeys(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
  if (message == WM_GETDLGCODE)
    return skin::CallNext(field, message, wParam, lParam) | DLGC_WANTALLKEYS;
  if (message == WM_CHAR && (wParam == VK_RETURN || wParam == VK_ESCAPE)) return 0;
  if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
    HWND dialog = GetParent(field);
    if (wParam == VK_RETURN) {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kIdOk, BN_CLICKED), 0);
    } else {
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
    return 0;
  }
  if (message == WM_NCDESTROY) skin::Unsubclass(field, FieldKeys);
  return skin::CallNext(field, message, wParam, lParam);
}

const wchar_t* RefusalText(catalogue::SourceVerdict verdict) {
  using catalogue::SourceVerdict;
  switch (verdict) {
    case SourceVerdict::kNoFolder:
      return Texts().sourceNoFolder;
    case SourceVerdict::kNothingPlayable:
      return Texts().sourceNothingPlayable;
    case SourceVerdict::kNoAnswer:
      return Texts().sourceNoAnswer;
    case SourceVerdict::kNoList:
      return Texts().sourceNoList;
    default:
      return Texts().sourceNotASource;
  }
}

const char* RefusalWord(catalogue::SourceVerdict verdict) {
  using catalogue::SourceVerdict;
  switch (verdict) {
    case SourceVerdict::kNoFolder:
      return "no folder";
    case SourceVerdict::kNothingPlayable:
      return "nothing playable";
    case SourceVerdict::kNoAnswer:
      return "no answer";
    case SourceVerdict::kNoList:
      return "no list";
    default:
      return "not a source";
  }
}

// One open dialog; owned by its window, which deletes it when it goes, unless a check is still
// running on the stack: then the check's end deletes it.
class SourceDialog {
 public:
  SourceDialog(HWND owner, const catalogue::MusicSource& current,
               const std::vector<uint8_t>& picture, SourceChosen chosen)
      : chosen_(std::move(chosen)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kSourceDialogClass;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
    RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
    const int dpi = graphics::DpiForWindow(owner);
    const auto px = [dpi](int length) { return graphics::ScaleLength(length, dpi); };
    // Centred on the owner, but whole on its screen: a small owner near an edge would push the
    // dialog's field or buttons off it.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    const auto keep = [](int at, int size, LONG low, LONG high) {
      return std::max<int>(low, std::min<int>(at, high - size));
    };
    const int x =
        keep((around.left + around.right - px(kWidth)) / 2, px(kWidth), work.left, work.right);
    const int y =
        keep((around.top + around.bottom - px(kHeight)) / 2, px(kHeight), work.top, work.bottom);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kSourceDialogClass,
                              Texts().menuSource, WS_POPUP | WS_CLIPCHILDREN, x, y, px(kWidth),
                              px(kHeight), owner, nullptr, wc.hInstance, this);
    if (!window_) return;
    const auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                          int h, int id) {
      HWND control = CreateWindowExW(
          0, cls, text, WS_CHILD | WS_VISIBLE | style, px(x), px(y), px(w), px(h), window_,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), wc.hInstance, nullptr);
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(UnitFont(dpi)), 0);
      return control;
    };
    make(L"Static", Texts().sourcePrompt, SS_LEFT | SS_NOPREFIX, 12, 34, 396, 20, 0);
    path_ = make(L"Edit", current.value.c_str(), WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 12, 58,
                 310, 24, kIdPath);
    skin::Subclass(path_, FieldKeys, nullptr);
    make(L"Button", Texts().sourceBrowse, BS_PUSHBUTTON | WS_TABSTOP, 328, 58, 80, 24, kIdBrowse);
    make(L"Button", Texts().sourceOk, BS_DEFPUSHBUTTON | WS_TABSTOP, 240, 100, 80, 26, kIdOk);
    make(L"Button", Texts().sourceCancel, BS_PUSHBUTTON | WS_TABSTOP, 328, 100, 80, 26, kIdCancel);
    skinWindow(window_, picture);
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(path_);
    Announce().Say("source dialog shown");
  }
  SourceDialog(const SourceDialog&) = delete;
  SourceDialog& operator=(const SourceDialog&) = delete;

  HWND window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<SourceDialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
      case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) self->OnButton(LOWORD(wParam));
        return 0;
      case WM_CLOSE:
        if (!self->busy_) DestroyWindow(hwnd);
        return 0;
      case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        if (!self->busy_) delete self;
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  void OnButton(int id) {
    if (busy_) return;
    switch (id) {
      case kIdBrowse: {
        std::wstring folder;
        if (!Survives([&] { folder = PickFolder(window_); }) || folder.empty()) return;
        SetWindowTextW(path_, folder.c_str());
        Accept();
        return;
      }
      case kIdOk:
        Accept();
        return;
      case kIdCancel:
        DestroyWindow(window_);
        return;
    }
  }

  std::wstring TypedText() const {
    std::wstring text(GetWindowTextLengthW(path_) + 1, L'\0');
    text.resize(GetWindowTextW(path_, text.data(), static_cast<int>(text.size())));
    return text;
  }

  // Runs a step that lets messages through. The owner's end may close the dialog meanwhile:
  // then this object outlived its window, and is deleted here; false.
  template <typename Step>
  bool Survives(Step&& step) {
    busy_ = true;
    step();
    busy_ = false;
    if (window_) return true;
    delete this;
    return false;
  }

  // Checks the choice while the windows keep answering, then keeps it or says why not.
  void Accept() {
    const std::wstring typed = TypedText();
    const catalogue::MusicSource source = catalogue::ParseSource(catalogue::ToUtf8(typed));
    Announce().Say("source checking ", catalogue::ToUtf8(typed));
    catalogue::FolderCatalogue scanned;
    catalogue::SourceCheck check;
    check.verdict = catalogue::SourceVerdict::kNotASource;
    if (source.kind != catalogue::MusicSource::Kind::kBuiltIn) {
      EnableWindow(window_, FALSE);
      if (!Survives([&] { check = catalogue::CheckSource(source, &scanned); })) return;
      EnableWindow(window_, TRUE);
    }
    if (check.verdict == catalogue::SourceVerdict::kEnding) return;
    const wchar_t* refusal = nullptr;
    if (check.verdict != catalogue::SourceVerdict::kFine) {
      Announce().Say("source refused ", RefusalWord(check.verdict));
      refusal = RefusalText(check.verdict);
    } else if (!WriteSourceSetting(source)) {
      Announce().Say("source refused not written");
      refusal = Texts().sourceNotWritten;
    }
    if (refusal) {
      if (Survives([&] { ShowMessage(window_, refusal); })) SetFocus(path_);
      return;
    }
    Announce().Say("source kept ", catalogue::ToUtf8(source.value));
    SourceChosen chosen = std::move(chosen_);
    DestroyWindow(window_);  // deletes this
    chosen(source, std::move(scanned));
  }

  HWND window_ = nullptr;
  HWND path_ = nullptr;
  SourceChosen chosen_;
  bool busy_ = false;  // a step that lets messages through runs
};

}  // namespace

void OpenSourceDialog(HWND owner, const catalogue::MusicSource& current,
                      const std::vector<uint8_t>& picture, SourceChosen chosen) {
  for (HWND open = FindWindowW(kSourceDialogClass, nullptr); open;
       open = FindWindowExW(nullptr, open, kSourceDialogClass, nullptr)) {
    if (GetWindow(open, GW_OWNER) == owner) {
      SetForegroundWindow(open);
      Announce().Say("source dialog brought forward");
      return;
    }
  }
  auto dialog = std::make_unique<SourceDialog>(owner, current, picture, std::move(chosen));
  // The window owns it from here; without a window there is nothing to own.
  if (dialog->window()) dialog.release();
}

}  // namespace app
