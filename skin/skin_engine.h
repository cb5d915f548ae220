// The one skin engine object: skinned frames for top-level windows, their caption buttons,
// moving and sizing, and the colouring of their child controls.
#pragma once

#include <windows.h>
//
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "skin/caption/button_fade.h"
#include "skin/caption/caption_writing.h"
#include "skin/contrast/high_contrast.h"
#include "skin/gdi/gdi_object_cache.h"
#include "skin/picture/screen_picture.h"
#include "skin/skin_settings.h"
#include "skin/window_record.h"
#include "skin/window_records.h"

namespace graphics {
class GfxBitmap;
class GfxGraphics;
}  // namespace graphics

namespace skin {

// How a top-level window is skinned; what is not given takes its default.
struct WindowOptions {
  int32_t captionHeight = kMinCaptionHeight;  // at least 25
  std::optional<int32_t> captionActive;       // 1
  std::optional<int32_t> sizable;             // 1
  std::optional<int32_t> helpButton;          // 0
  std::optional<int32_t> menuButton;          // 0
  std::optional<int32_t> captionText;         // 1
  std::optional<int32_t> captionGloss;        // 0
  std::optional<int32_t> statusBarHeight;     // 0: none
  std::vector<std::wstring> statusItems;
  std::vector<uint8_t> picture;        // the window's own picture; empty: the engine's
  std::optional<int32_t> pictureMode;  // backgroundMode
};

class SkinEngine : public SkinSettings {
 public:
  using FrameProc = SUBCLASSPROC;
  using ButtonAction = void (SkinEngine::*)(int32_t, int32_t);

  // Binds both entry points to this object and takes the system window colour.
  SkinEngine();
  // Destroys appIcon and shuts GDI+ down with gdiplusToken, after letting go of every GDI+
  // object the records keep.
  ~SkinEngine();
  SkinEngine(const SkinEngine&) = delete;
  SkinEngine& operator=(const SkinEngine&) = delete;

  // The subclass procedure installed on every skinned window, with the window's record as its
  // data: the record leads to this engine.
  FrameProc frameProcEntry = nullptr;
  int32_t frameMargin = 0;
  // OnCaptionButton(record index, button number), called on this engine.
  ButtonAction buttonActionEntry = nullptr;
  // Non-zero while the entry is bound: the address of the entry.
  intptr_t buttonActionAddress = 0;
  // The routine handler 24 starts on a thread of its own when the application is deactivated;
  // the application sets it at start-up. With none set nothing is started.
  LPTHREAD_START_ROUTINE trimmerProc = nullptr;

  SkinTexts skinTexts;
  // One record per skinned window, in the order of attachment.
  WindowRecords windowRecords;
  int32_t RecordCount() const { return windowRecords.Count(); }
  int32_t FindRecord(HWND window) const { return windowRecords.Find(window); }
  WindowSkinRecord* RecordAt(int32_t index) const { return windowRecords.At(index); }
  // The position of a skinned window's record, found through its frame subclass; 0 for others.
  int32_t RecordIndexOf(HWND window) const;
  // While it is on, frames, captions and controls are the system's.
  HighContrastMode highContrast;
  // The prepared engine-wide picture, and a number that changes whenever it does, so cached
  // pictures know when to go.
  std::vector<uint8_t> backgroundImage;
  uint32_t backgroundImageVersion = 0;
  // Drawn in every caption; destroyed with the engine.
  HICON appIcon = nullptr;
  // GDI+ is shut down with it when the engine goes (or at WM_QUIT).
  ULONG_PTR gdiplusToken = 0;
  // The backdrops handed out for the controls of its windows, until they come back.
  GdiObjectCache backdropDcs;
  // Told what the painters composed and decoded; none in the program.
  PaintObserver* paintObserver = nullptr;
  // The application's decode started before the skin was set, taken by the decode of the same
  // bytes; none: every picture is decoded where it is needed.
  PictureAhead* pictureAhead = nullptr;
  DecodeWatch Watch() const { return {paintObserver, pictureAhead}; }

  // The frame procedure of a skinned top-level window.
  LRESULT FrameWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Performs a caption button's action; a number outside 1..count does nothing.
  void OnCaptionButton(int32_t index, int32_t button);

  // Skins a top-level window; a window that already has a record is left alone.
  void AttachWindow(HWND hwnd, const WindowOptions& options = {});
  // Adds a button that calls its own callback at the left end of the strip; 0 when the window
  // has no record, else the new number of buttons.
  int32_t AddCaptionButton(HWND hwnd, const std::vector<uint8_t>& image,
                           const std::wstring& tooltipText, CaptionCallback callback);
  // Replaces the given caption text fields and redraws the caption.
  void SetCaptionStyle(HWND hwnd, std::optional<std::wstring> fontName = {},
                       std::optional<int32_t> fontSize = {},
                       std::optional<COLORREF> textColour = {},
                       std::optional<COLORREF> haloColour = {}, std::optional<int32_t> bold = {});
  // The window's own picture, prepared for its mode; the mode is kept when omitted.
  void SetWindowPicture(HWND hwnd, const std::vector<uint8_t>& picture,
                        std::optional<int32_t> mode = {});
  // The engine-wide picture and colours; repaints every visible skinned window. An accent of -1
  // takes the background colour.
  void SetSkin(const std::wstring& fileName, const std::vector<uint8_t>& bytes,
               std::optional<COLORREF> colour = {}, std::optional<int32_t> accent = {},
               std::optional<int32_t> mode = {});
  void SetOptions(int32_t colouring, std::optional<int32_t> alpha = {},
                  std::optional<int32_t> outline = {});

  // Full repaint of the frame into the back buffer and onto the window.
  void PaintFrame(int32_t index, HDC dc);
  // The back buffer onto the DC.
  void CopyFrame(int32_t index, HDC dc);
  // Background colour, picture and caption gloss, and the border while the caption is active,
  // into the back buffer of that size.
  void PaintBackground(int32_t index, HDC target, int32_t width, int32_t height);
  // The two rounded border lines.
  void PaintBorder(int32_t index, graphics::GfxGraphics& graphics, int32_t width, int32_t height);
  // One caption button unlit (alpha kUnlit), lit with the alpha, or pressed; the result goes to
  // the screen unless the caller puts the whole frame there itself.
  void DrawCaptionButton(int32_t index, int32_t button, bool pressed = false, int32_t alpha = -1,
                         bool toScreen = true);
  // Places the strip and the buttons, and moves their tooltip tools along.
  void LayoutCaptionButtons(int32_t index);
  // The engine's own caption buttons of every window take their hints from skinTexts anew.
  void RenameCaptionButtons();
  // The window now shows at another DPI: every frame metric is scaled anew and the frame is
  // composed again at its next paint.
  void OnDpiChanged(int32_t index, int dpi);
  int32_t HitTestCaptionButton(int32_t index, int32_t x, int32_t y);
  int32_t FindMaximizeButton(int32_t index);
  // A left-button press on the frame: move, size, or nothing.
  void BeginMoveOrSize(int32_t index, LPARAM lParam, const RECT& client);
  void UpdateSizeCursor(int32_t index, LPARAM lParam, const RECT& client);
  void SetHelpHandler(HWND hwnd, CaptionCallback callback);
  void SetMenuHandler(HWND hwnd, CaptionCallback callback);
  // The icon and the caption text (the window text unless one is given) into the back buffer.
  // On its own (not within a full paint) the caption area is restored from the clean frame first
  // and the result put on the screen.
  void DrawCaption(int32_t index, bool onItsOwn, const wchar_t* text = nullptr);
  // Told of every caption text written, with the window's record: the application's watch.
  std::function<void(const WindowSkinRecord&, const CaptionWritten&)> captionWritten;

  // The optional status bar along the bottom.
  void CreateStatusBar(int32_t index, int32_t height, const std::vector<std::wstring>& items);
  void LayoutStatusBar(int32_t index);
  void DrawStatusBarItem(int32_t index, int32_t item, bool toScreen = true);
  void SetStatusBarText(int32_t index, int32_t item, const std::wstring& text);
  void SetStatusBarFont(int32_t index, std::optional<int32_t> flag = {},
                        std::optional<COLORREF> colour = {},
                        std::optional<std::wstring> fontName = {},
                        std::optional<int32_t> fontSize = {});

  // Give one button the engine-made button kind 1 or 3: recorded, Hw_FuID and Hw_lbID set,
  // subclassed.
  void ReskinButtonKind1(HWND button);
  void ReskinButtonKind3(HWND button);
  // Makes a container a panel of the window that holds it: enabled 1, alpha 255 and rounded 0
  // when omitted.
  void AttachPanel(HWND panel, std::optional<int32_t> enabled = {},
                   std::optional<COLORREF> colour = {}, std::optional<int32_t> alpha = {},
                   std::optional<int32_t> rounded = {});
  void SetPanelAlpha(HWND panel, uint8_t alpha);
  // stripX, stripY, stripWidth, stripHeight in left, top, right, bottom.
  RECT GetStrip(int32_t index);
  void AttachCommonControl(HWND control);
  void LayoutChildren(int32_t index);
  void SetTextColour(HWND control, COLORREF colour);
  COLORREF GetBackgroundColour() const;
  void RedrawCaptionButtons(int32_t index);
  // The engine's picture as decoded for this screen; null when there is none or it is no
  // picture.
  const graphics::GfxBitmap* BackgroundPicture() const { return backgroundPicture.get(); }
  // After a display or DPI change: when the screen now needs more of the engine's picture than
  // was kept, decodes it again from its bytes and repaints every skinned window.
  void RefreshPictureForScreen();
  // The folder where the picture reduced for the screen is kept between runs (one file, see
  // reduced_picture_file.h); before the skin is set. Empty keeps nothing.
  void SetPictureCacheFolder(const std::wstring& folder);

 private:
  ScreenPicture backgroundPicture;

  LRESULT DefaultPath(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void ReleaseWindowSkin(HWND hwnd);
  void OnMouseMove(int32_t index, HWND hwnd, LPARAM lParam);
  void OnMouseLeave(int32_t index);
  void OnFadeTimer(int32_t index, HWND hwnd);
  void RunFadeDraws(int32_t index, const std::vector<FadeDraw>& draws);
  void OnLeftButtonDown(int32_t index, HWND hwnd, LPARAM lParam);
  void OnWindowPosChanged(int32_t index, HWND hwnd);
  bool OnControlColour(int32_t index, UINT message, HDC dc, HWND control, LRESULT* result);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void ReskinButton(HWND button, int32_t kind);
  void PutOnScreen(int32_t index, const RECT& area);
};

// The frame procedure every skinned window runs: its data is the window's record.
LRESULT CALLBACK FrameSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);

}  // namespace skin
