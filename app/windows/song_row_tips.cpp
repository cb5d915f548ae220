#include "app/windows/song_row_tips.h"

#include <commctrl.h>

#include "app/announcer.h"
#include "app/desktop/status_accessible.h"
#include "catalogue/playlist.h"
#include "catalogue/text_routines.h"
#include "graphics/dpi_context.h"
#include "graphics/dpi_scale.h"
#include "skin/caption/glyph_fallback.h"
#include "skin/subclass.h"

namespace app {
namespace {

constexpr int kTipWidth = 320;  // at 96 dpi: a long title wraps instead of crossing the screen

}  // namespace

SongRowTips::SongRowTips(HWND list, std::function<std::wstring(int row)> titleOf)
    : list_(list), titleOf_(std::move(titleOf)) {
  if (!list_ || !tip_.Create(list_)) return;
  // Titles come from the network: an ampersand is shown, not taken as a prefix.
  HWND tip = tip_.GetWindow();
  SetWindowLongW(tip, GWL_STYLE, GetWindowLongW(tip, GWL_STYLE) | TTS_NOPREFIX);
  for (int row = 1; row <= catalogue::kSongsPerBatch; ++row) tip_.AddCallbackTool({}, row);
  PlaceTools();
  skin::Subclass(list_, ListProc, this);
}

SongRowTips::~SongRowTips() {
  if (list_ && IsWindow(list_)) skin::Unsubclass(list_, ListProc);
  if (titleFont_)
    SendMessageW(tip_.GetWindow(), WM_SETFONT, reinterpret_cast<WPARAM>(ownFont_), FALSE);
  tip_.Destroy();
}

bool SongRowTips::ToolsPlaced() const {
  return SendMessageW(list_, LB_GETTOPINDEX, 0, 0) == placedTop_ &&
         SendMessageW(list_, LB_GETCOUNT, 0, 0) == placedCount_ &&
         SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0) == placedHeight_ &&
         graphics::DpiForWindow(list_) == placedDpi_;
}

void SongRowTips::PlaceTools() {
  placedTop_ = static_cast<int>(SendMessageW(list_, LB_GETTOPINDEX, 0, 0));
  placedCount_ = static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0));
  placedHeight_ = static_cast<int>(SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0));
  placedDpi_ = graphics::DpiForWindow(list_);
  tip_.SetMaxWidth(graphics::ScaleLength(kTipWidth, placedDpi_));
  for (int row = 1; row <= catalogue::kSongsPerBatch; ++row) {
    RECT r{};
    if (SendMessageW(list_, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r)) == LB_ERR) r = {};
    tip_.SetToolRect(row, r);
  }
}

void SongRowTips::FontFor(const std::wstring& title) {
  HWND tip = tip_.GetWindow();
  const auto held = reinterpret_cast<HFONT>(SendMessageW(tip, WM_GETFONT, 0, 0));
  // Any font but the lent one is the tip's own (one remade for another DPI, too).
  if (held != titleFont_.get()) ownFont_ = held;
  HFONT lent = skin::FontWithGlyphs(ownFont_, title);
  SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(lent ? lent : ownFont_), FALSE);
  titleFont_.Reset(lent);
}

LRESULT SongRowTips::TextFor(NMHDR* header) {
  const int row = static_cast<int>(header->idFrom);
  text_ = row >= 1 && row <= catalogue::kSongsPerBatch && titleOf_ ? titleOf_(row) : L"";
  FontFor(text_);
  Announce().Say("tip ", row, "\t", text_);
  reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = text_.data();
  return 0;
}

LRESULT CALLBACK SongRowTips::ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) {
  if (auto* tips = reinterpret_cast<SongRowTips*>(data)) {
    if (message == WM_NOTIFY) {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header && header->hwndFrom == tips->tip_.GetWindow() &&
          header->code == TTN_GETDISPINFOW) {
        return tips->TextFor(header);
      }
    } else if (message == WM_GETOBJECT) {
      // Each row's title as its accessible description; the header (index 0) has none.
      const auto& titleOf = tips->titleOf_;
      if (const LRESULT list = AnswerListObject(hwnd, wParam, lParam, [titleOf](int index) {
            return index >= 1 && index <= catalogue::kSongsPerBatch && titleOf ? titleOf(index)
                                                                               : std::wstring();
          })) {
        return list;
      }
    } else if (message == WM_MOUSEMOVE && !tips->ToolsPlaced()) {
      tips->PlaceTools();
    }
  }
  if (message == WM_NCDESTROY) skin::Unsubclass(hwnd, ListProc);
  return skin::CallNext(hwnd, message, wParam, lParam);
}

}  // namespace app
