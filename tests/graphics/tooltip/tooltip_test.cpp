#include <windows.h>
//
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "graphics/gfx_tooltip.h"

namespace {

using graphics::GfxToolTip;

class ToolTipTest : public testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override {
    tip_.Destroy();
    DestroyWindow(owner_);
  }

  int ToolCount() {
    return static_cast<int>(SendMessageA(tip_.GetWindow(), TTM_GETTOOLCOUNT, 0, 0));
  }

  // The stored record of a tool, or false when there is none.
  bool Tool(uint32_t id, TTTOOLINFOA* info) {
    *info = {};
    info->cbSize = 40;
    info->hwnd = owner_;
    info->uId = id;
    info->lpszText = toolText_;  // the control reports the text only into a buffer
    return SendMessageA(tip_.GetWindow(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(info));
  }

  std::wstring Text(uint32_t id) {
    wchar_t buffer[256] = {};
    TTTOOLINFOW info = {};
    info.cbSize = 40;
    info.hwnd = owner_;
    info.uId = id;
    info.lpszText = buffer;
    SendMessageW(tip_.GetWindow(), TTM_GETTEXTW, std::size(buffer),
                 reinterpret_cast<LPARAM>(&info));
    return buffer;
  }

  HWND owner_ = nullptr;
  GfxToolTip tip_;
  char toolText_[80] = {};
};

TEST_F(ToolTipTest, PlainAndBalloonStyles) {
  ASSERT_NE(tip_.Create(owner_, false), nullptr);
  char className[64] = {};
  GetClassNameA(tip_.GetWindow(), className, sizeof(className));
  EXPECT_STREQ(CharLowerA(className), "tooltips_class32");
  LONG style = GetWindowLongA(tip_.GetWindow(), GWL_STYLE);
  EXPECT_TRUE(style & TTS_ALWAYSTIP);
  EXPECT_FALSE(style & TTS_BALLOON);
  EXPECT_EQ(GetParent(tip_.GetWindow()), nullptr);
  EXPECT_EQ(tip_.GetOwner(), owner_);

  GfxToolTip balloon;
  ASSERT_NE(balloon.Create(owner_, true), nullptr);
  style = GetWindowLongA(balloon.GetWindow(), GWL_STYLE);
  EXPECT_TRUE(style & TTS_ALWAYSTIP);
  EXPECT_TRUE(style & TTS_BALLOON);
  balloon.Destroy();
  EXPECT_EQ(balloon.GetWindow(), nullptr);
}

TEST_F(ToolTipTest, ToolsAreAddedMovedRetitledAndDeleted) {
  ASSERT_NE(tip_.Create(owner_, false), nullptr);
  tip_.AddTool({10, 20, 36, 38}, L"关闭", 5);
  ASSERT_EQ(ToolCount(), 1);
  TTTOOLINFOA info;
  ASSERT_TRUE(Tool(5, &info));
  EXPECT_TRUE(info.uFlags & TTF_SUBCLASS);
  EXPECT_EQ(info.rect.left, 10);
  EXPECT_EQ(info.rect.bottom, 38);
  EXPECT_EQ(Text(5), L"关闭");

  tip_.SetToolRect(5, {40, 0, 66, 18});
  ASSERT_TRUE(Tool(5, &info));
  EXPECT_EQ(info.rect.left, 40);
  EXPECT_EQ(info.rect.right, 66);

  tip_.SetToolText(5, L"最大化");
  EXPECT_EQ(Text(5), L"最大化");

  tip_.DeleteTool(5);
  EXPECT_EQ(ToolCount(), 0);
}

TEST_F(ToolTipTest, UnknownIdChangesNothing) {
  ASSERT_NE(tip_.Create(owner_, true), nullptr);
  tip_.AddTool({1, 2, 3, 4}, L"帮助", 1);
  tip_.SetToolRect(99, {50, 50, 60, 60});
  tip_.SetToolText(99, L"x");
  tip_.DeleteTool(99);
  ASSERT_EQ(ToolCount(), 1);
  TTTOOLINFOA info;
  EXPECT_FALSE(Tool(99, &info));
  ASSERT_TRUE(Tool(1, &info));
  EXPECT_EQ(info.rect.left, 1);
  EXPECT_EQ(info.rect.top, 2);
  EXPECT_EQ(info.rect.right, 3);
  EXPECT_EQ(info.rect.bottom, 4);
  EXPECT_EQ(Text(1), L"帮助");
}

TEST_F(ToolTipTest, CallbackToolColoursAndWidth) {
  ASSERT_NE(tip_.Create(owner_), nullptr);
  tip_.AddCallbackTool({0, 0, 10, 10}, 7);
  TTTOOLINFOA info;
  ASSERT_TRUE(Tool(7, &info));
  EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACKA);

  tip_.SetBackColour(RGB(1, 2, 3));
  tip_.SetTextColour(RGB(4, 5, 6));
  tip_.SetMaxWidth(180);
  EXPECT_EQ(SendMessageA(tip_.GetWindow(), TTM_GETTIPBKCOLOR, 0, 0), RGB(1, 2, 3));
  EXPECT_EQ(SendMessageA(tip_.GetWindow(), TTM_GETTIPTEXTCOLOR, 0, 0), RGB(4, 5, 6));
  EXPECT_EQ(SendMessageA(tip_.GetWindow(), TTM_GETMAXTIPWIDTH, 0, 0), 180);
}

TEST(ToolTipUncreated, MessagesGoNowhere) {
  GfxToolTip tip;
  EXPECT_EQ(tip.GetWindow(), nullptr);
  tip.AddTool({0, 0, 1, 1}, L"x", 1);
  tip.SetToolRect(1, {0, 0, 2, 2});
  tip.SetToolText(1, L"y");
  tip.DeleteTool(1);
  tip.Destroy();
  EXPECT_EQ(tip.GetWindow(), nullptr);
}

}  // namespace
