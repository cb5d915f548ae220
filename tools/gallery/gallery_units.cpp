#include "tools/gallery/gallery_units.h"

#include <commctrl.h>

#include <string>

#include "graphics/dpi_context.h"
#include "graphics/dpi_scale.h"

namespace gallery {
namespace {

HFONT UiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// Positions and sizes below are at 96 dpi.
HWND Make(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
          int h, DWORD exStyle = 0) {
  const RECT r = graphics::ScaleBox(x, y, w, h, graphics::DpiForWindow(parent));
  HWND control = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), 0);
  return control;
}

void Buttons(HWND w, GalleryUnits& units) {
  HWND box = Make(w, L"Button", L"按钮", BS_GROUPBOX | BS_LEFT, 10, 34, 240, 150);
  units.panels.push_back(box);
  Make(box, L"Button", L"普通", BS_PUSHBUTTON | WS_TABSTOP, 10, 20, 70, 24);
  units.focus = Make(box, L"Button", L"默认", BS_DEFPUSHBUTTON | WS_TABSTOP, 85, 20, 70, 24);
  Make(box, L"Button", L"禁用", BS_PUSHBUTTON | WS_DISABLED, 160, 20, 70, 24);
  units.flatButtons.push_back(Make(box, L"Button", L"扁平", BS_PUSHBUTTON, 10, 52, 70, 24));
  units.textButtons.push_back(Make(box, L"Button", L"文字", BS_PUSHBUTTON, 85, 52, 70, 24));
  HWND checked = Make(box, L"Button", L"已选", BS_AUTOCHECKBOX, 10, 84, 70, 20);
  SendMessageW(checked, BM_SETCHECK, BST_CHECKED, 0);
  Make(box, L"Button", L"未选", BS_AUTOCHECKBOX, 85, 84, 70, 20);
  Make(box, L"Button", L"禁用", BS_AUTOCHECKBOX | WS_DISABLED, 160, 84, 70, 20);
  HWND on = Make(box, L"Button", L"单选一", BS_AUTORADIOBUTTON | WS_GROUP, 10, 112, 70, 20);
  SendMessageW(on, BM_SETCHECK, BST_CHECKED, 0);
  Make(box, L"Button", L"单选二", BS_AUTORADIOBUTTON, 85, 112, 70, 20);
}

void Lists(HWND w, GalleryUnits& units) {
  HWND box = Make(w, L"Button", L"列表", BS_GROUPBOX | BS_CENTER, 260, 34, 490, 150);
  units.panels.push_back(box);
  HWND list = Make(
      box, L"ListBox", L"",
      WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL,
      10, 20, 90, 120);
  for (int i = 1; i <= 20; ++i) {
    SendMessageW(list, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>((L"歌曲" + std::to_wstring(i)).c_str()));
  }
  SendMessageW(list, LB_SETCURSEL, 2, 0);
  SendMessageW(list, LB_SETHORIZONTALEXTENT, 160, 0);
  // Owner-drawn: its items are drawn by the window (a panel does not draw list items).
  HWND owner =
      Make(w, L"ListBox", L"",
           WS_BORDER | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, 365, 54, 70, 60);
  for (const wchar_t* s : {L"自绘一", L"自绘二"}) {
    SendMessageW(owner, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  }
  HWND view = Make(box, L"SysListView32", L"", WS_BORDER | LVS_REPORT, 180, 20, 150, 120);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = graphics::ScaleLength(70, graphics::DpiForWindow(view));
  column.pszText = const_cast<wchar_t*>(L"歌名");
  SendMessageW(view, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  column.pszText = const_cast<wchar_t*>(L"时长");
  SendMessageW(view, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  for (int i = 0; i < 4; ++i) {
    const std::wstring name = L"曲目" + std::to_wstring(i + 1);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<wchar_t*>(name.c_str());
    SendMessageW(view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  HWND tree = Make(box, L"SysTreeView32", L"",
                   WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 335, 20, 145, 70);
  TVINSERTSTRUCTW insert{};
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<wchar_t*>(L"专辑");
  auto root = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  insert.hParent = root;
  for (const wchar_t* s : {L"第一首", L"第二首"}) {
    insert.item.pszText = const_cast<wchar_t*>(s);
    SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
  }
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  Make(box, L"SysIPAddress32", L"", WS_BORDER, 335, 95, 145, 20);
  Make(box, L"SysDateTimePick32", L"", WS_BORDER, 335, 120, 145, 22);
  Make(box, L"Button", L"", BS_GROUPBOX, 105, 85, 70, 55);  // a group box without a caption
}

void Edits(HWND w, GalleryUnits& units) {
  HWND box = Make(w, L"Button", L"文本", BS_GROUPBOX | BS_RIGHT, 10, 190, 240, 170);
  units.panels.push_back(box);
  Make(box, L"Edit", L"单行文字", WS_BORDER | ES_AUTOHSCROLL, 10, 20, 110, 22);
  Make(box, L"Edit", L"禁用", WS_BORDER | WS_DISABLED, 125, 20, 105, 22);
  Make(box, L"Edit", L"多行文字\r\n第二行\r\n第三行\r\n第四行\r\n第五行",
       WS_BORDER | ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL, 10, 48, 110, 60);
  HWND drop = Make(box, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 125, 48, 105, 120);
  HWND edit = Make(box, L"ComboBox", L"", CBS_DROPDOWN | WS_VSCROLL, 125, 78, 105, 120);
  for (HWND combo : {drop, edit}) {
    for (const wchar_t* s : {L"列表循环", L"单曲循环", L"随机"}) {
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    }
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
  }
  HWND simple = Make(box, L"ComboBox", L"", CBS_SIMPLE, 10, 112, 110, 52);
  SendMessageW(simple, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"简单组合框"));
  HWND buddy = Make(box, L"Edit", L"5", WS_BORDER | ES_NUMBER, 125, 112, 60, 22);
  HWND spin = Make(box, L"msctls_updown32", L"", UDS_ALIGNRIGHT | UDS_SETBUDDYINT, 0, 0, 0, 0);
  SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageW(spin, UDM_SETRANGE32, 0, 10);
  Make(box, L"msctls_updown32", L"", UDS_HORZ, 190, 112, 40, 20);
  Make(box, L"Static", L"静态文字", 0, 125, 140, 100, 18);
}

void Bars(HWND w, GalleryUnits& units) {
  HWND box = Make(w, L"Button", L"进度与滑块", BS_GROUPBOX, 260, 190, 490, 170);
  units.panels.push_back(box);
  const int levels[] = {0, 15, 50, 100};
  for (int i = 0; i < 4; ++i) {
    HWND bar = Make(box, L"msctls_progress32", L"", 0, 10, 22 + i * 22, 160, 16);
    SendMessageW(bar, PBM_SETPOS, levels[i], 0);
  }
  HWND tall = Make(box, L"msctls_progress32", L"", PBS_VERTICAL, 180, 20, 18, 130);
  SendMessageW(tall, PBM_SETPOS, 60, 0);
  HWND slider =
      Make(box, L"msctls_trackbar32", L"", TBS_AUTOTICKS | TBS_ENABLESELRANGE, 210, 20, 200, 34);
  SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  SendMessageW(slider, TBM_SETSEL, TRUE, MAKELPARAM(2, 6));
  SendMessageW(slider, TBM_SETPOS, TRUE, 4);
  HWND top = Make(box, L"msctls_trackbar32", L"", TBS_TOP | TBS_AUTOTICKS, 210, 60, 200, 30);
  SendMessageW(top, TBM_SETPOS, TRUE, 80);
  Make(box, L"msctls_trackbar32", L"", TBS_BOTH | TBS_AUTOTICKS | WS_DISABLED, 210, 95, 200, 40);
  HWND upright =
      Make(box, L"msctls_trackbar32", L"", TBS_VERT | TBS_BOTH | TBS_AUTOTICKS, 420, 20, 40, 130);
  SendMessageW(upright, TBM_SETPOS, TRUE, 30);
  HWND header = Make(box, L"SysHeader32", L"", HDS_BUTTONS | HDS_HORZ, 10, 115, 160, 22);
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
  item.cxy = graphics::ScaleLength(80, graphics::DpiForWindow(header));
  item.fmt = HDF_CENTER | HDF_STRING;
  for (const wchar_t* s : {L"标题", L"歌手"}) {
    item.pszText = const_cast<wchar_t*>(s);
    SendMessageW(header, HDM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&item));
  }
  units.commonControl = Make(box, L"msctls_statusbar32", L"公共控件",
                             CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_SIZEGRIP, 10, 142, 190, 20);
}

void Panels(HWND w, GalleryUnits& units) {
  units.roundedPanel = Make(w, L"Static", L"", SS_NOTIFY, 10, 366, 370, 44);
  Make(units.roundedPanel, L"Button", L"圆角叠色面板", BS_PUSHBUTTON, 10, 10, 110, 24);
  Make(units.roundedPanel, L"Static", L"面板里的文字", 0, 130, 14, 120, 18);
  units.plainPanel = Make(w, L"Static", L"", SS_NOTIFY, 390, 366, 360, 44);
  Make(units.plainPanel, L"Button", L"无叠色面板", BS_PUSHBUTTON, 10, 10, 110, 24);
  HWND check =
      Make(units.plainPanel, L"Button", L"面板里的复选框", BS_AUTOCHECKBOX, 130, 12, 130, 20);
  SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  units.alreadySkinned.push_back(
      Make(units.plainPanel, L"Button", L"再", BS_PUSHBUTTON, 270, 10, 34, 24));
  units.alreadySkinned.push_back(
      Make(units.plainPanel, L"msctls_trackbar32", L"", TBS_NOTICKS, 308, 8, 48, 28));
}

}  // namespace

GalleryUnits CreateGalleryUnits(HWND window) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS |
                                            ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                            ICC_TREEVIEW_CLASSES | ICC_INTERNET_CLASSES |
                                            ICC_DATE_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  GalleryUnits units;
  Buttons(window, units);
  Lists(window, units);
  Edits(window, units);
  Bars(window, units);
  Panels(window, units);
  return units;
}

}  // namespace gallery
