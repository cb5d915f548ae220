#include "skin/skin_engine.h"

#include "graphics/gfx_image.h"
#include "skin/caption/caption_strip.h"
#include "skin/controls/button_skin.h"
#include "skin/controls/common_control.h"
#include "skin/controls/family.h"
#include "skin/controls/panel.h"
#include "skin/frame/status_bar.h"
#include "skin/picture/picture_prepare.h"
#include "skin/picture/reduced_picture_file.h"
#include "skin/property_keys.h"
#include "skin/skin_settings.h"
#include "skin/subclass.h"
#include "skin/window_records.h"

namespace skin {
namespace {

constexpr int32_t kDefaultMode = 4;
constexpr COLORREF kDefaultAccent = 0xDDCA22;

}  // namespace

LRESULT CALLBACK FrameSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR /*id*/, DWORD_PTR data) {
  auto* record = reinterpret_cast<WindowSkinRecord*>(data);
  if (!record || !record->engine || !record->attached) {
    return CallNext(hwnd, message, wParam, lParam);
  }
  return record->engine->FrameWindowProc(hwnd, message, wParam, lParam);
}

int32_t SkinEngine::RecordIndexOf(HWND window) const {
  const WindowSkinRecord* record = FrameRecordOf(window);
  return record && record->engine == this ? record->number : 0;
}

SkinEngine::SkinEngine() {
  frameProcEntry = FrameSubclassProc;
  buttonActionEntry = &SkinEngine::OnCaptionButton;
  buttonActionAddress = reinterpret_cast<intptr_t>(&buttonActionEntry);
  backgroundColour = GetSysColor(COLOR_WINDOW);
}

SkinEngine::~SkinEngine() {
  // GDI+ objects must go before GDI+ does.
  windowRecords.ClearPictureCaches();
  backgroundPicture.Clear();
  if (appIcon) DestroyIcon(appIcon);
  appIcon = nullptr;
  ShutdownGdiplus(gdiplusToken);
  gdiplusToken = 0;
  // Windows that outlive the engine (program end) go on through their own procedures.
  for (int32_t i = 1; i <= RecordCount(); ++i) {
    WindowSkinRecord* record = RecordAt(i);
    if (record->engine != this) continue;
    Unsubclass(record->hwnd, frameProcEntry);
    record->engine = nullptr;
  }
  frameProcEntry = nullptr;
  buttonActionEntry = nullptr;
  buttonActionAddress = 0;
}

void SkinEngine::SetSkin(const std::wstring& fileName, const std::vector<uint8_t>& bytes,
                         std::optional<COLORREF> colour, std::optional<int32_t> accent,
                         std::optional<int32_t> mode) {
  const bool accentFromBackground = accent && *accent == -1;
  if (!accent) {
    accentColour = kDefaultAccent;
  } else if (!accentFromBackground) {
    accentColour = static_cast<COLORREF>(*accent);
  }

  // The picture is decoded here, once, for every window that shows it: the full picture only for
  // the modes that fade it, else straight into the copy kept for this screen. The same bytes
  // again (another window skinned with them) keep the copy they have.
  const int32_t newMode = mode.value_or(kDefaultMode);
  const bool fades = newMode == 0 || newMode == 1;
  graphics::GfxBitmap full;
  bool haveFull = false;
  if (!bytes.empty()) {
    if (fades) haveFull = full.LoadFromBytes(bytes);
  } else if (!fileName.empty()) {
    haveFull = full.LoadFromFile(fileName);
  }
  const bool keep = !fades && !bytes.empty() && bytes == backgroundImage &&
                    backgroundPicture.get() && backgroundPicture.mode() == newMode;
  if (!keep) backgroundPicture.Clear();
  if (!keep && !fades && !bytes.empty())
    backgroundPicture.Decode(bytes, newMode, LargestClientSize(), Watch());

  std::optional<COLORREF> sampled;
  if (haveFull) {
    sampled = SamplePictureColour(full);
  } else if (backgroundPicture.get()) {
    sampled = SamplePictureColour(*backgroundPicture.get());
  }
  if (colour) {
    backgroundColour = *colour;
  } else if (sampled) {
    backgroundColour = *sampled;
  } else {
    backgroundColour = GetSysColor(COLOR_WINDOW);
  }
  if (accentFromBackground) accentColour = backgroundColour;

  backgroundMode = newMode;
  if (haveFull && fades) {
    backgroundImage = PreparePictureForMode(full, backgroundColour, backgroundMode);
  } else if (!bytes.empty()) {
    if (!keep) backgroundImage = bytes;
  } else if (haveFull) {
    backgroundImage = full.SaveToBytes(graphics::kPngFormatId);
  } else {
    backgroundImage.clear();
  }
  full.Dispose();
  // A picture made here (faded, or read from a file) is decoded in its final form.
  if (haveFull && !backgroundImage.empty())
    backgroundPicture.Decode(backgroundImage, newMode, LargestClientSize(), Watch());
  ++backgroundImageVersion;

  for (int32_t i = 1; i <= RecordCount(); ++i) {
    HWND hwnd = RecordAt(i)->hwnd;
    if (!IsWindowVisible(hwnd)) continue;
    PaintFrame(i, nullptr);
    InvalidateRect(hwnd, nullptr, TRUE);
  }
}

void SkinEngine::RefreshPictureForScreen() {
  if (!backgroundPicture.Refresh(backgroundImage, LargestClientSize(), Watch())) return;
  ++backgroundImageVersion;
  for (int32_t i = 1; i <= RecordCount(); ++i) {
    WindowSkinRecord* record = RecordAt(i);
    record->needsFullRedraw = true;
    InvalidateRect(record->hwnd, nullptr, TRUE);
  }
}

void SkinEngine::SetPictureCacheFolder(const std::wstring& folder) {
  backgroundPicture.SetCacheFile(folder.empty() ? std::wstring() : PictureCacheFile(folder));
}

void SkinEngine::SetOptions(int32_t colouring, std::optional<int32_t> alpha,
                            std::optional<int32_t> outline) {
  controlColouring = colouring;
  highlightAlpha = alpha.value_or(160);
  highlightEnabled = alpha ? 1 : 0;
  outlineEnabled = outline.value_or(1);
}

void SkinEngine::SetCaptionStyle(HWND hwnd, std::optional<std::wstring> fontName,
                                 std::optional<int32_t> fontSize,
                                 std::optional<COLORREF> textColour,
                                 std::optional<COLORREF> haloColour, std::optional<int32_t> bold) {
  const int32_t index = FindRecord(hwnd);
  WindowSkinRecord* record = RecordAt(index);
  if (!record) return;
  if (fontName) record->captionFontName = *fontName;
  if (fontSize) record->captionFontSize = *fontSize;
  if (textColour) record->captionTextColour = *textColour;
  if (haloColour) record->captionHaloColour = *haloColour;
  if (bold) record->captionFontFlag = *bold;
  DrawCaption(index, true);
}

void SkinEngine::SetWindowPicture(HWND hwnd, const std::vector<uint8_t>& picture,
                                  std::optional<int32_t> mode) {
  WindowSkinRecord* record = RecordAt(FindRecord(hwnd));
  if (!record) return;
  if (mode) record->pictureMode = *mode;
  graphics::GfxBitmap decoded;
  const bool ok = !picture.empty() && decoded.LoadFromBytes(picture);
  if (ok) record->pictureColour = SamplePictureColour(decoded).value_or(record->pictureColour);
  if (ok && (record->pictureMode == 0 || record->pictureMode == 1)) {
    record->picture = PreparePictureForMode(decoded, record->pictureColour, record->pictureMode);
  } else {
    record->picture = picture;
  }
  record->pictureCache.Clear();
  record->needsFullRedraw = true;
  InvalidateRect(hwnd, nullptr, TRUE);
}

void SkinEngine::SetHelpHandler(HWND hwnd, CaptionCallback callback) {
  if (WindowSkinRecord* record = RecordAt(FindRecord(hwnd))) record->helpCallback = callback;
}

void SkinEngine::SetMenuHandler(HWND hwnd, CaptionCallback callback) {
  if (WindowSkinRecord* record = RecordAt(FindRecord(hwnd))) record->menuCallback = callback;
}

int32_t SkinEngine::HitTestCaptionButton(int32_t index, int32_t x, int32_t y) {
  const WindowSkinRecord* record = RecordAt(index);
  return record ? skin::HitTestCaptionButton(*record, x, y) : 0;
}

int32_t SkinEngine::FindMaximizeButton(int32_t index) {
  const WindowSkinRecord* record = RecordAt(index);
  return record ? skin::FindMaximizeButton(*record) : 0;
}

RECT SkinEngine::GetStrip(int32_t index) {
  const WindowSkinRecord* record = RecordAt(index);
  if (!record) return {};
  return RECT{record->stripX, record->stripY, record->stripWidth, record->stripHeight};
}

void SkinEngine::LayoutChildren(int32_t index) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record) return;
  RECT client{};
  GetClientRect(record->hwnd, &client);
  for (const PageWindow& page : record->pageWindows) {
    if (!page.window) continue;
    MoveWindow(page.window, 2, page.top, client.right - 4,
               client.bottom - page.top - record->Px(record->statusBar.height) - 3, TRUE);
  }
}

void SkinEngine::SetTextColour(HWND control, COLORREF colour) {
  wchar_t cls[16] = {};
  GetClassNameW(control, cls, static_cast<int>(std::size(cls)));
  HWND target = control;
  if (lstrcmpiW(cls, L"ComboBox") == 0) target = FindWindowExW(control, nullptr, L"Edit", nullptr);
  if (target) prop::Set(target, prop::Kj_Ztys, static_cast<intptr_t>(colour));
}

COLORREF SkinEngine::GetBackgroundColour() const { return backgroundColour; }

void SkinEngine::RedrawCaptionButtons(int32_t index) {
  const WindowSkinRecord* record = RecordAt(index);
  if (!record) return;
  for (int32_t i = 1; i <= record->ButtonCount(); ++i) DrawCaptionButton(index, i);
}

// The status bar's calls by record index; the bar itself is frame/status_bar.h.
void SkinEngine::CreateStatusBar(int32_t index, int32_t height,
                                 const std::vector<std::wstring>& items) {
  if (WindowSkinRecord* record = RecordAt(index))
    StartStatusBar(*record, height, items, frameMargin);
}

void SkinEngine::LayoutStatusBar(int32_t index) {
  if (WindowSkinRecord* record = RecordAt(index)) skin::LayoutStatusBar(*record, frameMargin);
}

void SkinEngine::DrawStatusBarItem(int32_t index, int32_t item, bool toScreen) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record) return;
  const std::optional<RECT> drawn = skin::DrawStatusBarItem(*record, item);
  if (drawn && toScreen) PutOnScreen(index, *drawn);
}

void SkinEngine::SetStatusBarText(int32_t index, int32_t item, const std::wstring& text) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record || item < 1 || item > static_cast<int32_t>(record->statusBar.items.size())) return;
  record->statusBar.items[item - 1].text = text;
  DrawStatusBarItem(index, item);
}

void SkinEngine::SetStatusBarFont(int32_t index, std::optional<int32_t> flag,
                                  std::optional<COLORREF> colour,
                                  std::optional<std::wstring> fontName,
                                  std::optional<int32_t> fontSize) {
  WindowSkinRecord* record = RecordAt(index);
  if (!record) return;
  StyleStatusBar(record->statusBar, flag, colour, std::move(fontName), fontSize);
  const auto count = static_cast<int32_t>(record->statusBar.items.size());
  for (int32_t i = 1; i <= count; ++i) DrawStatusBarItem(index, i);
}

// Single controls and panels handed to the control skins.
void SkinEngine::ReskinButton(HWND button, int32_t kind) {
  controls::ReskinButton(OwnerRecordOf(button), button, kind);
}

void SkinEngine::ReskinButtonKind1(HWND button) { ReskinButton(button, controls::kFlatButton); }
void SkinEngine::ReskinButtonKind3(HWND button) { ReskinButton(button, controls::kTextButton); }

void SkinEngine::AttachPanel(HWND panel, std::optional<int32_t> enabled,
                             std::optional<COLORREF> colour, std::optional<int32_t> alpha,
                             std::optional<int32_t> rounded) {
  controls::AttachPanel(OwnerRecordOf(panel), panel, enabled, colour, alpha, rounded);
}

void SkinEngine::SetPanelAlpha(HWND panel, uint8_t alpha) {
  PanelSkin* skin = controls::PanelOf(panel);
  if (!skin) return;
  if (skin->colour != 0) skin->alpha = alpha;
  InvalidateRect(panel, nullptr, TRUE);
}

void SkinEngine::AttachCommonControl(HWND control) {
  controls::AttachCommonControl(OwnerRecordOf(control), control);
}

}  // namespace skin
