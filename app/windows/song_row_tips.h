// Tooltips on the song rows of the visible play list: a row shows the title of the song it
// stands for, as plain text; a song without a title shows none.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "graphics/gfx_tooltip.h"
#include "skin/gdi/gdi_scoped.h"

namespace app {

class SongRowTips {
 public:
  // `titleOf(row)` is asked for the title of the song row 1 to 9 stands for, whenever a tip
  // shows, so it is always that of the batch now listed.
  SongRowTips(HWND list, std::function<std::wstring(int row)> titleOf);
  ~SongRowTips();
  SongRowTips(const SongRowTips&) = delete;
  SongRowTips& operator=(const SongRowTips&) = delete;

  HWND tooltip() const { return tip_.GetWindow(); }

 private:
  static LRESULT CALLBACK ListProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  // Each row's tool follows its row as the list fills and scrolls.
  bool ToolsPlaced() const;
  void PlaceTools();
  LRESULT TextFor(NMHDR* header);
  // The tip's font for the title: its own, or one with the glyphs its own lacks.
  void FontFor(const std::wstring& title);

  HWND list_;
  std::function<std::wstring(int)> titleOf_;
  graphics::GfxToolTip tip_;
  // The list's top row, length, row height and DPI when the tools were placed.
  int placedTop_ = -1;
  int placedCount_ = -1;
  int placedHeight_ = -1;
  int placedDpi_ = -1;
  std::wstring text_;        // what the tooltip was handed last; it reads the text from here
  HFONT ownFont_ = nullptr;  // the tip's font before a title's was lent to it
  skin::GdiObject<HFONT> titleFont_;  // lent to the tip while it shows such a title
};

}  // namespace app
