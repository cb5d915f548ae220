// The face's accessible object, read the way a screen reader reads it: through the system's
// accessibility API, in this process.
#include "app/status_accessible.h"

#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK StatusProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT) {
    if (const LRESULT status = app::AnswerStatusObject(hwnd, wParam, lParam)) return status;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

int g_nameChanges = 0;
HWND g_watched = nullptr;
void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                         DWORD) {
  if (event == EVENT_OBJECT_NAMECHANGE && hwnd == g_watched && object == OBJID_CLIENT &&
      child == CHILDID_SELF) {
    ++g_nameChanges;
  }
}

std::wstring Take(BSTR text) {
  std::wstring result = text ? text : L"";
  SysFreeString(text);
  return result;
}

TEST(StatusAccessible, TheFaceIsAReadOnlyStatusNamedByAllItShowsAndSaysWhenItChanges) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  WNDCLASSW wc{};
  wc.lpfnWndProc = StatusProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"StatusAccessibleTest";
  RegisterClassW(&wc);
  HWND face =
      CreateWindowExW(0, wc.lpszClassName, L"歌曲3 正在播放 0:07\nSome Title",
                      WS_POPUP | WS_VISIBLE, 0, 0, 200, 80, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(face, nullptr);
  IAccessible* object = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(face, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                       reinterpret_cast<void**>(&object)),
            S_OK);
  ASSERT_NE(object, nullptr);
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  ASSERT_EQ(object->get_accName(self, &name), S_OK);
  EXPECT_EQ(Take(name), L"歌曲3 正在播放 0:07 Some Title");
  VARIANT role{};
  ASSERT_EQ(object->get_accRole(self, &role), S_OK);
  EXPECT_EQ(role.vt, VT_I4);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_STATUSBAR);
  VARIANT state{};
  ASSERT_EQ(object->get_accState(self, &state), S_OK);
  EXPECT_EQ(state.vt, VT_I4);
  EXPECT_TRUE(state.lVal & STATE_SYSTEM_READONLY);
  EXPECT_FALSE(state.lVal & STATE_SYSTEM_INVISIBLE);
  // The face has no value of its own: everything is in its name.
  BSTR value = nullptr;
  EXPECT_NE(object->get_accValue(self, &value), S_OK);
  SysFreeString(value);
  // The next song: the name follows the text at once, and listeners hear of it.
  g_watched = face;
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                       OnWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  SetWindowTextW(face, L"歌曲4 正在加载 0:00\nAnother");
  app::AnnounceStatusChange(face);
  MSG msg;
  for (DWORD start = GetTickCount(); g_nameChanges == 0 && GetTickCount() - start < 2000;) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  EXPECT_GE(g_nameChanges, 1);
  ASSERT_EQ(object->get_accName(self, &name), S_OK);
  EXPECT_EQ(Take(name), L"歌曲4 正在加载 0:00 Another");
  UnhookWinEvent(hook);
  object->Release();
  DestroyWindow(face);
  CoUninitialize();
}

}  // namespace
