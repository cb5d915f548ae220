// The face's accessible object, read the way a screen reader reads it: through the system's
// accessibility API, in this process.
#include "app/desktop/status_accessible.h"

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

WNDPROC g_listNext = nullptr;
LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT) {
    const LRESULT list = app::AnswerListObject(hwnd, wParam, lParam, [](int index) {
      return index >= 1 ? L"Title " + std::to_wstring(index) : std::wstring();
    });
    if (list) return list;
  }
  return CallWindowProcW(g_listNext, hwnd, message, wParam, lParam);
}

TEST(StatusAccessible, EachSongRowIsDescribedByItsTitle) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  HWND list = CreateWindowExW(0, L"ListBox", L"", WS_POPUP | WS_VISIBLE | LBS_NOTIFY, 0, 0, 100,
                              100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  for (const wchar_t* row : {L"双击操作", L"歌曲1", L"歌曲2"}) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
  }
  g_listNext = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
  IAccessible* object = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(list, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                       reinterpret_cast<void**>(&object)),
            S_OK);
  VARIANT child{};
  child.vt = VT_I4;
  child.lVal = CHILDID_SELF;
  // Wine's oleacc has no list-box object of its own (a plain client: no children, no item names
  // or roles), so only what the wrapper adds is read here. Child ids are 1-based: child 2 is
  // row 1.
  child.lVal = 2;
  BSTR text = nullptr;
  ASSERT_EQ(object->get_accDescription(child, &text), S_OK);
  EXPECT_EQ(Take(text), L"Title 1");
  // The header row has no title.
  child.lVal = 1;
  text = nullptr;
  EXPECT_EQ(object->get_accDescription(child, &text), S_FALSE);
  EXPECT_EQ(text, nullptr);
  object->Release();
  DestroyWindow(list);
  CoUninitialize();
}

}  // namespace
