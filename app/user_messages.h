// Message boxes and early ends of the application.
#pragma once

namespace app {

inline constexpr char kMsgFileDamaged[] = "文件顺坏!";
inline constexpr char kMsgPictureMissing[] = "找不到背景图片，请重新下载！";
inline constexpr char kMsgBackgroundChanged[] = "OK，重启生效";
inline constexpr char kMsgFailed[] = "失败！";

// Text only, OK button only, no icon, the default title; waits until the user closes it.
void ShowMessage(const char* text);

// Ends the process with exit code 0; the registered exit routine runs.
[[noreturn]] void EndProgram();

}  // namespace app
