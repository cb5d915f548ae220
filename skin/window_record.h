// The per-window skin record and the small records it is made of.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/dpi_scale.h"
#include "graphics/gfx_tooltip.h"
#include "graphics/gfx_types.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/picture/picture_cache.h"
#include "skin/skin_settings.h"

namespace graphics {
class GfxBitmap;
}

namespace skin {

namespace controls {
struct KindOps;
}

// Callbacks the help, main-menu and added caption buttons call, with no arguments.
using CaptionCallback = void(CALLBACK*)();

enum CaptionButtonKind : int32_t {
  kButtonClose = 0,
  kButtonMaximize = 1,
  kButtonMinimize = 2,
  kButtonMainMenu = 3,
  kButtonHelp = 4,
  kButtonCustom = 5,
};

inline constexpr int32_t kCaptionButtonWidth = 26;
inline constexpr int32_t kCloseButtonWidth = 38;
inline constexpr int32_t kCaptionButtonHeight = 18;
inline constexpr int32_t kStripHeight = 22;
inline constexpr int32_t kMinCaptionHeight = 25;

struct CaptionButton {
  int32_t width = kCaptionButtonWidth;
  int32_t height = kCaptionButtonHeight;
  std::vector<uint8_t> image;     // PNG
  std::vector<uint8_t> altImage;  // PNG; the restore glyph of the maximize button
  int32_t kind = kButtonClose;
  std::wstring tooltipText;
  CaptionCallback callback = nullptr;  // kind 5 only
  graphics::GfxRectF rect;             // hit and draw rectangle
  // The glyphs decoded once: a hover fade draws the button every 20 ms.
  std::shared_ptr<graphics::GfxBitmap> decodedImage;
  std::shared_ptr<graphics::GfxBitmap> decodedAltImage;
};

struct ButtonFade {
  int32_t button = 0;  // 1-based caption button number, 0 = none
  int32_t step = 0;    // 0..8
};

// The control lists of a window record, one per control kind, in this order.
enum ControlListKind : int {
  kListButtons,
  kListEdits,
  kListListTypes,
  kListTrackbars,
  kListProgressBars,
  kListComboBoxes,
  kListUpDowns,
  kListHeaders,
  kListCommonControls,
  kListPanels,
  kControlListCount,
};

struct WindowSkinRecord;

// What every control record holds; each control kind's skin derives its own record from it.
// The window record's list owns it; its control's subclass reaches it in one step, and a
// message being handled keeps it alive until the handling ends, even when the control goes.
struct ControlRecord : std::enable_shared_from_this<ControlRecord> {
  virtual ~ControlRecord() = default;
  // Drops the GDI+ objects the record keeps (before GDI+ shuts down); they are made again when
  // needed.
  virtual void ReleaseGraphics() {}
  // A WM_SETTEXT the skin let pass by without painting (high contrast).
  virtual void NoteText(const wchar_t*) {}
  // A WM_SETFONT (a DPI change gives each control its font anew): the face draws in it.
  virtual void NoteFont(const std::wstring&, int32_t, int32_t) {}
  HWND window = nullptr;              // null once the control is gone
  WindowSkinRecord* owner = nullptr;  // the skinned window's record, whose list holds this one
  int32_t list = -1;                  // which of its lists (a ControlListKind)
  int32_t slot = 0;                   // 1-based place in that list, for the way-in properties
  int32_t busy = 0;                   // messages to the control being handled
  int32_t kind = 0;
  const controls::KindOps* ops = nullptr;  // how the one skinned-control procedure treats it
  bool hot = false;                        // painted hot
  bool tracking = false;                   // WM_MOUSELEAVE is armed
  bool focused = false;                    // between WM_SETFOCUS and WM_KILLFOCUS
};

// A record whose face draws its caption in the control's own font.
struct FontedRecord : ControlRecord {
  std::wstring fontFace;
  int32_t fontSize = 0;
  int32_t fontStyle = 0;
  void NoteFont(const std::wstring& face, int32_t size, int32_t style) override {
    fontFace = face;
    fontSize = size;
    fontStyle = style;
  }
};

// 1-based in use; a control that went leaves its slot empty (null), so no slot is renumbered.
// A single empty slot counts as an empty list.
using ControlList = std::vector<std::shared_ptr<ControlRecord>>;

// A container made a panel (attach panel), in the window record's panel list. The backdrop search
// reads the window, colour, alpha and rounded; the panel skin owns the rest.
struct PanelSkin : FontedRecord {
  COLORREF colour = 0;  // overlay colour, 0 = none
  uint8_t alpha = 255;  // overlay alpha
  int32_t rounded = 0;
  bool needsRepaint = true;
  bool isGroupBox = false;
  int32_t enabled = 1;
  std::vector<HWND> movedWindows;
  graphics::GfxToolTip tooltip;
};

struct PageWindow {
  HWND window = nullptr;
  int32_t top = 0;
};

struct StatusBarItem {
  std::wstring text;
  RECT rect{};
};

// Its height and font size are 96-dpi lengths, scaled like every frame metric.
struct StatusBar {
  int32_t height = 0;  // 0 = none
  RECT rect{};
  std::vector<StatusBarItem> items;
  int32_t textFlag = 0;
  COLORREF textColour = 0xFFFFFF;
  std::wstring fontName{kDefaultFace};
  int32_t fontSize = 12;
};

// The brush and bitmap a WM_CTLCOLOR* reply made for one control, owned here (skin/control_brush);
// the control's Kj_dxjb and Kj_wtjb properties only show them. The record keeps them because by
// the time the window gets WM_NCDESTROY its children, and their properties, are gone.
struct ControlColourObjects {
  HWND control = nullptr;
  ScopedBrush brush;
  ScopedBitmap bitmap;
  bool hollow = false;  // the stock null brush is shown instead of `brush`
  HBRUSH Shown() const {
    return hollow ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)) : brush.get();
  }
};

struct WindowSkinRecord {
  HWND hwnd = nullptr;
  // The engine that skinned the window; its frame procedure reaches it through the record.
  SkinEngine* engine = nullptr;
  // The record's 1-based position among the engine's records, shown in the way-in properties.
  int32_t number = 0;
  // False while the window is being attached: its frame subclass is in place (so the record can
  // be found) but lets every message pass.
  bool attached = false;
  // Every frame metric is a 96-dpi length scaled to this DPI when it is used.
  int32_t dpi = graphics::kDesignDpi;
  int32_t captionHeight = kMinCaptionHeight;        // in device pixels
  int32_t designCaptionHeight = kMinCaptionHeight;  // as attached, at 96 dpi
  int32_t showHelpButton = 0;
  int32_t showMenuButton = 0;
  int32_t showMinimizeButton = 0;
  int32_t showMaximizeButton = 0;
  int32_t showCloseButton = 1;
  int32_t showCaptionText = 1;
  int32_t captionOption = 0;
  WNDPROC oldWndProc = nullptr;
  std::vector<uint8_t> picture;  // empty = the engine's picture
  int32_t pictureMode = 0;
  COLORREF pictureColour = 0;
  std::vector<CaptionButton> captionButtons;  // 1-based in use, strip order
  int32_t stripX = 0;
  int32_t stripY = 0;
  int32_t stripWidth = 0;
  int32_t stripHeight = kStripHeight;
  bool maximised = false;
  bool minimised = false;
  int32_t minTrackWidth = 200;
  int32_t minTrackHeight = 150;
  int32_t maxTrackWidth = 0;
  int32_t maxTrackHeight = 0;
  int32_t sizable = 1;
  int32_t captionActive = 1;
  COLORREF captionTextColour = 0xFFFFFF;
  COLORREF captionHaloColour = 0x808080;
  std::wstring captionFontName{kDefaultFace};
  int32_t captionFontSize = 12;
  int32_t captionFontFlag = 1;
  int32_t hoverButton = 0;
  // The caption button a left press went down on, until the release; the window holds the
  // mouse capture meanwhile.
  int32_t pressedButton = 0;
  int32_t hotKind = 0;
  CaptionCallback helpCallback = nullptr;
  CaptionCallback menuCallback = nullptr;
  graphics::GfxToolTip tooltip;
  StatusBar statusBar;
  std::array<ControlList, kControlListCount> controls;
  bool needsFullRedraw = false;
  MemoryDc backBuffer;  // the frame
  MemoryDc cleanFrame;  // the frame before caption and buttons
  MemoryDc statusCopy;  // the status bar's rectangle of the clean frame
  int32_t hotControl = 0;
  int32_t hoverControl = 0;
  // The parent of the edit last painted hot: edits under different parents may share an index.
  HWND hotParent = nullptr;
  std::vector<PageWindow> pageWindows;
  bool mouseTracked = false;
  ButtonFade fadeIn;
  ButtonFade fadeOut;
  bool fadeTimerOn = false;
  // Focus cues stay hidden until the keyboard moves the focus (UISF_HIDEFOCUS).
  bool hideFocusCues = true;
  // The system frame's style bits that high contrast added, taken away again after it.
  LONG systemFrameBits = 0;

  // Kept so that a repaint at an unchanged size neither decodes nor stretches the picture.
  PictureCache pictureCache;
  std::vector<ControlColourObjects> colouredControls;

  // The panel list, 0-based here; null where a panel went.
  size_t PanelCount() const { return controls[kListPanels].size(); }
  PanelSkin* PanelAt(size_t i) const {
    return static_cast<PanelSkin*>(controls[kListPanels][i].get());
  }

  int32_t Px(int32_t length) const { return graphics::ScaleLength(length, dpi); }
  int32_t Line(int32_t width) const { return graphics::ScaleLine(width, dpi); }
  int32_t ButtonCount() const { return static_cast<int32_t>(captionButtons.size()); }
  // 1-based; null outside 1..count.
  CaptionButton* Button(int32_t number) {
    if (number < 1 || number > ButtonCount()) return nullptr;
    return &captionButtons[number - 1];
  }
};

}  // namespace skin
