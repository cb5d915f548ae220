// Attaching a skin to a top-level window, and the caption-button strip it gets.
#include <algorithm>

#include "graphics/dpi_context.h"
#include "graphics/gfx_image.h"
#include "skin/caption/caption_glyphs.h"
#include "skin/caption/caption_strip.h"
#include "skin/contrast/high_contrast.h"
#include "skin/controls/family.h"
#include "skin/controls/family_table.h"
#include "skin/frame/window_fonts.h"
#include "skin/picture/picture_prepare.h"
#include "skin/property_keys.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "skin/subclass.h"
#include "skin/window_records.h"

namespace skin {
namespace {

// A caller's button (kButtonCustom) shows `image`; the engine's show their own glyphs.
CaptionButton MakeButton(const WindowSkinRecord& record, int32_t kind, const wchar_t* tooltip,
                         std::vector<uint8_t> image = {}) {
  CaptionButton b;
  b.image = std::move(image);
  b.kind = kind;
  b.tooltipText = tooltip;
  FitButtonToDpi(b, record.dpi);
  return b;
}

// The hint of one of the engine's own buttons in the skin's language; null for a caller's.
const wchar_t* EngineButtonHint(const SkinTexts& texts, int32_t kind) {
  switch (kind) {
    case kButtonHelp:
      return texts.help.c_str();
    case kButtonMainMenu:
      return texts.menu.c_str();
    case kButtonMinimize:
      return texts.minimize.c_str();
    case kButtonMaximize:
      return texts.maximize.c_str();
    case kButtonClose:
      return texts.close.c_str();
  }
  return nullptr;
}

void BuildCaptionButtons(WindowSkinRecord& record, const SkinTexts& texts) {
  auto& buttons = record.captionButtons;
  buttons.clear();
  for (const auto& [shown, kind] : {std::pair{record.showHelpButton, kButtonHelp},
                                    {record.showMenuButton, kButtonMainMenu},
                                    {record.showMinimizeButton, kButtonMinimize},
                                    {record.showMaximizeButton, kButtonMaximize},
                                    {int32_t{1}, kButtonClose}}) {
    if (shown != 0) buttons.push_back(MakeButton(record, kind, EngineButtonHint(texts, kind)));
  }
}

}  // namespace

void SkinEngine::AttachWindow(HWND hwnd, const WindowOptions& options) {
  if (!IsWindow(hwnd) || FindRecord(hwnd) != 0) return;
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  RECT client{};
  GetClientRect(hwnd, &client);
  frameMargin = 3;

  auto record = std::make_unique<WindowSkinRecord>();
  record->hwnd = hwnd;
  record->engine = this;
  record->dpi = graphics::DpiForWindow(hwnd);
  record->captionHeight = record->Px(std::max(options.captionHeight, kMinCaptionHeight));
  record->designCaptionHeight = std::max(options.captionHeight, kMinCaptionHeight);
  record->showHelpButton = options.helpButton.value_or(0);
  record->showMenuButton = options.menuButton.value_or(0);
  record->showMinimizeButton = (style & WS_MINIMIZEBOX) ? 1 : 0;
  record->showMaximizeButton = (style & WS_MAXIMIZEBOX) ? 1 : 0;
  record->captionActive = options.captionActive.value_or(1);
  record->showCloseButton = 1;
  record->sizable = options.sizable.value_or(1);
  record->showCaptionText = options.captionText.value_or(1);
  record->captionOption = options.captionGloss.value_or(0);
  record->pictureMode = options.pictureMode.value_or(backgroundMode);
  record->minTrackWidth = 200;
  record->minTrackHeight = 150;
  record->maxTrackWidth = GetSystemMetrics(SM_CXSCREEN);
  record->maxTrackHeight = GetSystemMetrics(SM_CYSCREEN);

  const std::vector<uint8_t>& picture = options.picture;
  if (!picture.empty()) {
    graphics::GfxBitmap decoded;
    const bool ok = decoded.LoadFromBytes(picture);
    if (ok) record->pictureColour = SamplePictureColour(decoded).value_or(0);
    if (ok && (record->pictureMode == 0 || record->pictureMode == 1)) {
      record->picture = PreparePictureForMode(decoded, record->pictureColour, record->pictureMode);
    } else {
      record->picture = picture;
    }
  }

  record->captionTextColour = 0xFFFFFF;
  record->captionHaloColour = 0x808080;
  record->captionFontName = skinTexts.face;
  record->statusBar.fontName = skinTexts.face;
  record->captionFontSize = 12;
  record->captionFontFlag = 1;

  BuildCaptionButtons(*record, skinTexts);
  PlaceStrip(*record, client.right, record->Px(frameMargin));

  SetWindowLongW(hwnd, GWL_STYLE, style | WS_SYSMENU);
  const int32_t index = windowRecords.Append(std::move(record));
  WindowSkinRecord* added = RecordAt(index);
  // In place at once, so the controls attached below find their window's record; it lets every
  // message pass until the attaching is done.
  added->oldWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
  prop::Set(hwnd, prop::Hw_hProc, reinterpret_cast<intptr_t>(added->oldWndProc));
  prop::Set(hwnd, prop::Hw_lbID, index);
  Subclass(hwnd, frameProcEntry, added);

  added->tooltip.Create(hwnd);
  for (int32_t i = 1; i <= added->ButtonCount(); ++i) {
    added->tooltip.AddTool(RECT{}, added->captionButtons[i - 1].tooltipText.c_str(),
                           static_cast<uint32_t>(i));
  }
  LayoutCaptionButtons(index);

  const int32_t barHeight = options.statusBarHeight.value_or(0);
  if (barHeight > 0) {
    CreateStatusBar(index, barHeight, options.statusItems);
    SetStatusBarFont(index, std::nullopt, 0xFFFFFF, skinTexts.face, 12);
  }
  LayoutStatusBar(index);

  controls::AttachControlFamilies(added, hwnd);
  // The fonts the window was given are the system's, made for the system's DPI.
  RefontWindow(hwnd, graphics::SystemDpi(), added->dpi);
  added = RecordAt(index);
  if (!added) return;
  added->needsFullRedraw = true;

  added->attached = true;
  if (highContrast.On()) ApplyHighContrast(*added);
  // A window already on screen takes its new look at once.
  InvalidateRect(hwnd, nullptr, TRUE);
}

void SkinEngine::LayoutCaptionButtons(int32_t index) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record) return;
  RECT client{};
  GetClientRect(record->hwnd, &client);
  LayoutStripGeometry(*record, client.right);
  for (int32_t i = 1; i <= record->ButtonCount(); ++i) {
    const CaptionButton& b = record->captionButtons[i - 1];
    record->tooltip.SetToolRect(static_cast<uint32_t>(i), ButtonToolRect(b));
    record->tooltip.SetToolText(static_cast<uint32_t>(i), b.tooltipText.c_str());
  }
}

void SkinEngine::RenameCaptionButtons() {
  for (int32_t index = 1; index <= RecordCount(); ++index) {
    WindowSkinRecord* record = RecordAt(index);
    if (!record) continue;
    for (CaptionButton& b : record->captionButtons) {
      if (const wchar_t* hint = EngineButtonHint(skinTexts, b.kind)) b.tooltipText = hint;
    }
    LayoutCaptionButtons(index);
  }
}

int32_t SkinEngine::AddCaptionButton(HWND hwnd, const std::vector<uint8_t>& image,
                                     const std::wstring& tooltipText, CaptionCallback callback) {
  const int32_t index = RecordIndexOf(hwnd);
  WindowSkinRecord* record = RecordAt(index);
  if (!record) return 0;
  CaptionButton b = MakeButton(*record, kButtonCustom, tooltipText.c_str(), image);
  b.callback = callback;
  record->captionButtons.insert(record->captionButtons.begin(), std::move(b));
  record->stripWidth += record->Px(kCaptionButtonWidth) + record->Px(1);
  // Every number moved up by one: hover and fades named the old numbers.
  record->hoverButton = 0;
  record->fadeIn = {};
  record->fadeOut = {};
  // One tool per button: the last number is new and needs its tool before the layout names it.
  record->tooltip.AddTool(RECT{}, tooltipText.c_str(),
                          static_cast<uint32_t>(record->ButtonCount()));
  LayoutCaptionButtons(index);
  record->needsFullRedraw = true;
  InvalidateRect(hwnd, nullptr, TRUE);
  return record->ButtonCount();
}

}  // namespace skin
