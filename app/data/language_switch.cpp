#include "app/data/language_switch.h"

#include "app/application.h"
#include "app/data/data_files.h"
#include "app/data/settings_keeper.h"
#include "app/desktop/tray_icon.h"
#include "app/media/playback_handlers.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"

namespace app {
namespace {

constexpr wchar_t kLanguageFile[] = L"\\config\\language.txt";

void TellSkin(const UiTexts& t) {
  skin::SkinEngine* engine = Engine();
  if (!engine) return;
  engine->skinTexts = {t.fontFace,        t.captionHelp,     t.captionMenu,
                       t.captionMinimize, t.captionMaximize, t.captionClose};
}

void SetText(HWND unit, const wchar_t* text) {
  if (unit) SetWindowTextW(unit, text);
}

// The entries keep their places and the selection its entry.
void RenameVisibleEntries(HWND list) {
  const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (int k = 0; k < count && k <= 9; ++k) {
    SendMessageW(list, LB_DELETESTRING, k, 0);
    SendMessageW(list, LB_INSERTSTRING, k, reinterpret_cast<LPARAM>(VisibleEntry(k).c_str()));
  }
  if (selected != LB_ERR) SendMessageW(list, LB_SETCURSEL, selected, 0);
}

}  // namespace

void ChooseStartLanguage() {
  const std::optional<Language> kept = ParseLanguageFile(ReadTextFile(DataPath(kLanguageFile)));
  ProgramLanguage().Set(kept ? *kept : LanguageOfUi(GetUserDefaultUILanguage()));
  TellSkin(Texts());
}

void FillTrayMenu(HMENU menu) {
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
  const UiTexts& t = Texts();
  AppendMenuW(menu, MF_STRING, kMenu显示, t.menuShow);
  AppendMenuW(menu, MF_STRING, kMenu关于, t.menuAbout);
  AppendMenuW(menu, MF_STRING, kMenu更新, t.menuUpdate);
  AppendMenuW(menu, MF_STRING, kMenuSource, t.menuSource);
  AppendMenuW(menu, MF_STRING, kMenuLanguage, t.menuOtherLanguage);
  AppendMenuW(menu, MF_STRING | (Settings().balloons() ? MF_CHECKED : MF_UNCHECKED), kMenuBalloons,
              t.menuBalloons);
  AppendMenuW(menu, MF_STRING, kMenu退出, t.menuExit);
}

void SwitchLanguage(PlayerUnits& units) {
  const Language other =
      ProgramLanguage().current() == Language::kChinese ? Language::kEnglish : Language::kChinese;
  ProgramLanguage().Set(other);
  TellSkin(Texts());
  if (skin::SkinEngine* engine = Engine()) engine->RenameCaptionButtons();
  // A choice that cannot be kept still holds for this run.
  WriteWholeFile(DataPath(kLanguageFile), LanguageFileText(other));
  const UiTexts& t = Texts();
  SetText(units.按钮_更换背景, t.changeBackground);
  SetText(units.按钮_换一批, t.anotherBatch);
  SetText(units.单选框_列表循环, t.listLoop);
  SetText(units.单选框_单曲循环, t.singleLoop);
  SetText(units.按钮_下载, t.download);
  if (units.托盘菜单) FillTrayMenu(units.托盘菜单);
  UpdateTrayTip(units.window);
  if (units.列表框2) RenameVisibleEntries(units.列表框2);
  RefreshPlaybackUnits();
}

}  // namespace app
