// Message boxes and early ends of the application.
#pragma once

namespace app {

inline constexpr wchar_t kMsgFileDamaged[] = L"文件顺坏!";
inline constexpr wchar_t kMsgPictureMissing[] = L"找不到背景图片，请重新下载！";
inline constexpr wchar_t kMsgBackgroundChanged[] = L"OK，重启生效";
inline constexpr wchar_t kMsgFailed[] = L"失败！";

// Text only, OK button only, no icon, the default title; waits until the user closes it.
void ShowMessage(const wchar_t* text);

// Ends the process with exit code 0; the registered exit routine runs.
[[noreturn]] void EndProgram();

}  // namespace app
