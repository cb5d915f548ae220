// The caption's text as the painter writes it: cut with an ellipsis before the caption buttons of
// a window at its smallest, whole where there is room, in a face that has its glyphs.
#include <gtest/gtest.h>

#include <optional>

#include "skin/glyph_fallback.h"
#include "skin/skin_engine.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

using skin_test::RecordOf;
using skin_test::TestWindow;

class CaptionWriting : public testing::Test {
 protected:
  void SetUp() override {
    skin_test::ResetSkinSettings();
    skin::skinEngine->captionWritten = [this](const skin::WindowSkinRecord&,
                                              const skin::CaptionWritten& w) { written = w; };
  }
  void TearDown() override { skin::skinEngine->captionWritten = nullptr; }

  // The caption as a full paint of a skinned window of that client size writes it.
  void Paint(int width, int height, const wchar_t* caption) {
    window.emplace(width, height);
    HWND w = window->hwnd();
    skin_test::SkinLikeTheApplication(w, skin_test::SolidPicture(40, 40, RGB(12, 20, 64)));
    SetWindowTextW(w, caption);
    written = {};
    RecordOf(w)->needsFullRedraw = 1;
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    skin_test::Pump();
  }
  float FirstButtonLeft() const { return RecordOf(window->hwnd())->captionButtons.front().rect.x; }

  std::optional<TestWindow> window;
  skin::CaptionWritten written;
};

TEST_F(CaptionWriting, AtTheSmallestSizeTheTextEndsWithAnEllipsisBeforeTheButtons) {
  const std::wstring caption = L"Velory音乐播放器 Velory Music Player";
  Paint(200, 150, caption.c_str());
  ASSERT_FALSE(written.shown.empty());
  EXPECT_EQ(written.shown.back(), L'\u2026');
  EXPECT_EQ(caption.rfind(written.shown.substr(0, written.shown.size() - 1), 0), 0u);
  EXPECT_LE(static_cast<float>(written.right), FirstButtonLeft());
  EXPECT_EQ(skin::MissingGlyphs(written.face, written.shown), L"") << written.face;
}

TEST_F(CaptionWriting, WithRoomTheTextIsWhole) {
  Paint(400, 200, L"Velory音乐播放器");
  EXPECT_EQ(written.shown, L"Velory音乐播放器");
  EXPECT_LT(static_cast<float>(written.right), FirstButtonLeft());
}

}  // namespace
