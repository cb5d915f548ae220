#include "tests/skin/window/skin_test_window.h"

#include <map>
#include <optional>

#include "graphics/gfx_brush.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_image.h"
#include "graphics/path_routines.h"
#include "skin/frame/paint_observer.h"
#include "skin/gdi/gdi_handles.h"
#include "skin/skin_settings.h"
#include "skin/window_records.h"

namespace skin_test {

skin::SkinEngine* engine = nullptr;
namespace {

constexpr char kClass[] = "SkinTestWindow";

struct WindowLog {
  std::vector<Observed> seen;
  bool intercept = false;
  bool interceptSys = false;
};

std::map<HWND, WindowLog>& Logs() {
  static std::map<HWND, WindowLog> logs;
  return logs;
}

bool IsMoveOrSize(WPARAM command) {
  const WPARAM code = command & 0xFFF0;
  return code == SC_SIZE || code == SC_MOVE;
}

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto it = Logs().find(hwnd);
  if (it != Logs().end()) {
    it->second.seen.push_back({message, wParam, lParam});
    if (it->second.intercept) {
      if (message == WM_SYSCOMMAND && IsMoveOrSize(wParam)) return 0;
      if (message == WM_NCLBUTTONDOWN) return 0;
    }
    if (it->second.interceptSys && message == WM_SYSCOMMAND) return 0;
  }
  if (message == WM_NCDESTROY) Logs().erase(hwnd);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterOnce() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = TestWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClass;
  done = RegisterClassExA(&wc) != 0;
}

std::vector<uint8_t> PaintedPicture(int width, int height, COLORREF left, COLORREF right) {
  graphics::GfxBitmap bitmap;
  if (!bitmap.Create(width, height)) return {};
  {
    graphics::GfxGraphics g;
    g.FromImage(bitmap);
    graphics::GfxSolidBrush a;
    a.Create(graphics::ArgbFromColorref(left, 255));
    graphics::GfxSolidBrush b;
    b.Create(graphics::ArgbFromColorref(right, 255));
    g.FillRectangle(a, 0, 0, static_cast<float>(width) / 2, static_cast<float>(height));
    g.FillRectangle(b, static_cast<float>(width) / 2, 0, static_cast<float>(width) / 2,
                    static_cast<float>(height));
  }
  return bitmap.SaveToBytes(graphics::kPngFormatId);
}

}  // namespace

TestWindow::TestWindow(int width, int height, DWORD extraStyle, bool show, int x, int y) {
  RegisterOnce();
  hwnd_ = CreateWindowExA(0, kClass, "", WS_POPUP | extraStyle, x, y, width, height, nullptr,
                          nullptr, GetModuleHandleA(nullptr), nullptr);
  Logs()[hwnd_] = {};
  if (show) {
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
  }
}

TestWindow::~TestWindow() { Destroy(); }

void TestWindow::Destroy() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

void TestWindow::InterceptMoveAndSize(bool on) { Logs()[hwnd_].intercept = on; }

void TestWindow::InterceptSysCommands(bool on) { Logs()[hwnd_].interceptSys = on; }

std::vector<WPARAM> TestWindow::SysCommands() const {
  std::vector<WPARAM> codes;
  for (const Observed& o : seen()) {
    if (o.message == WM_SYSCOMMAND) codes.push_back(o.wParam & 0xFFF0);
  }
  return codes;
}

int TestWindow::Count(UINT message) const {
  int n = 0;
  for (const Observed& o : seen()) n += o.message == message ? 1 : 0;
  return n;
}

const std::vector<Observed>& TestWindow::seen() const { return Logs()[hwnd_].seen; }

void TestWindow::ClearSeen() { Logs()[hwnd_].seen.clear(); }

std::vector<WPARAM> TestWindow::MoveSizeRequests() const {
  std::vector<WPARAM> requests;
  for (const Observed& o : seen()) {
    if (o.message == WM_SYSCOMMAND && IsMoveOrSize(o.wParam)) requests.push_back(o.wParam);
    if (o.message == WM_NCLBUTTONDOWN) requests.push_back(o.wParam);
  }
  return requests;
}

void SkinLikeTheApplication(HWND window, const std::vector<uint8_t>& picture) {
  skin::SkinEngine* engine = skin_test::engine;
  engine->SetSkin(L"", picture, 0, 0xFF8800, 3);
  engine->SetOptions(1, 0);
  engine->AttachWindow(window, {.captionActive = 1, .sizable = 1, .captionText = 1});
}

skin::WindowSkinRecord* RecordOf(HWND window) { return skin::FrameRecordOf(window); }

int32_t IndexOf(HWND window) { return skin_test::engine->FindRecord(window); }

void Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (milliseconds) Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

std::vector<uint8_t> SolidPicture(int width, int height, COLORREF colour) {
  return PaintedPicture(width, height, colour, colour);
}

std::vector<uint8_t> TwoColourPicture(int width, int height, COLORREF left, COLORREF right) {
  return PaintedPicture(width, height, left, right);
}

COLORREF BackBufferPixel(HWND window, int x, int y) {
  const skin::WindowSkinRecord* record = RecordOf(window);
  if (!record || !record->backBuffer.dc()) return CLR_INVALID;
  return GetPixel(record->backBuffer.dc(), x, y);
}

void ResetSkinSettings() {
  static_cast<skin::SkinSettings&>(*engine) = {};
  engine->backgroundColour = GetSysColor(COLOR_WINDOW);
  engine->backgroundImage.clear();
  ++engine->backgroundImageVersion;
}

COLORREF WindowPixel(HWND window, int x, int y) {
  skin::WindowDc dc(window);
  return GetPixel(dc, x, y);
}

std::vector<uint32_t> WindowPixels(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  uint32_t* bits = nullptr;
  skin::MemoryDc copy;
  skin::WindowDc dc(window);
  if (!dc || !copy.Select(skin::MakeDib32(w, h, &bits), w, h) || !bits) return {};
  BitBlt(copy.dc(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
  GdiFlush();
  return std::vector<uint32_t>(bits, bits + static_cast<size_t>(w) * h);
}

void MarkWindowPixel(HWND window, int x, int y, COLORREF mark) {
  skin::WindowDc dc(window);
  SetPixel(dc, x, y, mark);
}

bool ShowsAccent(COLORREF pixel) {
  return GetGValue(pixel) - GetRValue(pixel) > 40 && GetBValue(pixel) > GetGValue(pixel);
}

LRESULT SendMouse(HWND window, UINT message, int x, int y, WPARAM keys) {
  return SendMessageA(window, message, keys, MAKELPARAM(x, y));
}

namespace {

class Recorder : public skin::PaintObserver {
 public:
  void Face(HWND window, UINT state, const std::vector<skin::controls::Layer>& layers) override {
    ++face.paints;
    face.lastWindow = window;
    face.lastState = state;
    face.lastLayers = layers;
  }
  void PictureDecoded() override { ++picture.decodes; }
  void BackgroundComposed() override { ++picture.compositions; }

  FaceWork face;
  PictureWork picture;
};

Recorder& TheRecorder() {
  static Recorder recorder;
  return recorder;
}

}  // namespace

void WatchPaints(skin::SkinEngine& watched) { watched.paintObserver = &TheRecorder(); }

FaceWork& faceWork() { return TheRecorder().face; }
PictureWork& pictureWork() { return TheRecorder().picture; }

}  // namespace skin_test
