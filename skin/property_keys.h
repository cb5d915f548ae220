// Window property keys through which windows and controls find their skin records, and the
// two small helpers every user of them goes through.
#pragma once

#include <windows.h>

#include <cstdint>

namespace skin::prop {

inline constexpr wchar_t Hw_lbID[] = L"Hw_lbID";      // record index (window) or slot (control)
inline constexpr wchar_t Hw_FuID[] = L"Hw_FuID";      // owning window's record index (control)
inline constexpr wchar_t Hw_hProc[] = L"Hw_hProc";    // the replaced window procedure
inline constexpr wchar_t Ck_Ycjdx[] = L"Ck_Ycjdx";    // bitmap the back-buffer DC came with
inline constexpr wchar_t Ck_wtjbdx[] = L"Ck_wtjbdx";  // the back-buffer bitmap of the frame
inline constexpr wchar_t Kj_Ztys[] = L"Kj_Ztys";      // a control's text colour
inline constexpr wchar_t Kj_dxjb[] = L"Kj_dxjb";      // brush handed out for WM_CTLCOLOR*
inline constexpr wchar_t Kj_wtjb[] = L"Kj_wtjb";      // bitmap behind that brush
inline constexpr wchar_t Kj_lbID[] = L"Kj_lbID";      // as Hw_lbID, other common controls
inline constexpr wchar_t Kj_FuID[] = L"Kj_FuID";      // as Hw_FuID, other common controls
inline constexpr wchar_t Kj_hProc[] = L"Kj_hProc";    // as Hw_hProc, other common controls
inline constexpr wchar_t Mb_zpf[] = L"Mb_zpf";        // marks a panel
inline constexpr wchar_t Wxk_Cj[] = L"Wxk_Cj";        // an outer container's painted background DC
inline constexpr wchar_t Wxk_Zpf[] = L"Wxk_Zpf";      // 1 = outer container

inline intptr_t Get(HWND window, const wchar_t* key) {
  return reinterpret_cast<intptr_t>(GetPropW(window, key));
}

inline void Set(HWND window, const wchar_t* key, intptr_t value) {
  SetPropW(window, key, reinterpret_cast<HANDLE>(value));
}

template <typename T>
T GetAs(HWND window, const wchar_t* key) {
  return reinterpret_cast<T>(GetPropW(window, key));
}

}  // namespace skin::prop
