// Window property keys through which windows and controls find their skin records, and the
// two small helpers every user of them goes through.
#pragma once

#include <windows.h>

#include <cstdint>

namespace skin::prop {

inline constexpr char Hw_lbID[] = "Hw_lbID";      // record index (window) or slot (control)
inline constexpr char Hw_FuID[] = "Hw_FuID";      // owning window's record index (control)
inline constexpr char Hw_hProc[] = "Hw_hProc";    // the replaced window procedure
inline constexpr char Ck_Ycjdx[] = "Ck_Ycjdx";    // bitmap the back-buffer DC came with
inline constexpr char Ck_wtjbdx[] = "Ck_wtjbdx";  // the back-buffer bitmap of the frame
inline constexpr char Kj_Ztys[] = "Kj_Ztys";      // a control's text colour
inline constexpr char Kj_dxjb[] = "Kj_dxjb";      // brush handed out for WM_CTLCOLOR*
inline constexpr char Kj_wtjb[] = "Kj_wtjb";      // bitmap behind that brush
inline constexpr char Kj_lbID[] = "Kj_lbID";      // as Hw_lbID, other common controls
inline constexpr char Kj_FuID[] = "Kj_FuID";      // as Hw_FuID, other common controls
inline constexpr char Kj_hProc[] = "Kj_hProc";    // as Hw_hProc, other common controls
inline constexpr char Mb_zpf[] = "Mb_zpf";        // marks a panel
inline constexpr char Wxk_Cj[] = "Wxk_Cj";        // an outer container's painted background DC
inline constexpr char Wxk_Zpf[] = "Wxk_Zpf";      // 1 = outer container

inline intptr_t Get(HWND window, const char* key) {
  return reinterpret_cast<intptr_t>(GetPropA(window, key));
}

inline void Set(HWND window, const char* key, intptr_t value) {
  SetPropA(window, key, reinterpret_cast<HANDLE>(value));
}

template <typename T>
T GetAs(HWND window, const char* key) {
  return reinterpret_cast<T>(GetPropA(window, key));
}

}  // namespace skin::prop
