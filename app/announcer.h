// What the player does, told line by line to the file that VELORY_EVENT_LOG names, so that a
// test waits for the moment a thing happened (the line stays) instead of sampling a window for
// a state that lasts a moment. Without the variable no file is opened and every call returns at
// once, before any text is made.
#pragma once

#include <windows.h>

#include <string>
#include <type_traits>

#include "graphics/kernel_handle.h"

namespace app {

inline constexpr wchar_t kEventLogVariable[] = L"VELORY_EVENT_LOG";

class Announcer {
 public:
  // Opens (appends to) the file the environment variable names, if it names one.
  explicit Announcer(const wchar_t* variable);
  ~Announcer();
  Announcer(const Announcer&) = delete;
  Announcer& operator=(const Announcer&) = delete;

  bool on() const { return file_.valid(); }

  // One line, "<ms since the process started> <parts>"; line breaks inside it are written as
  // "\n" and "\r", so one announcement is always one line.
  template <typename... Parts>
  void Say(const Parts&... parts) const {
    if (!on()) return;
    std::string text;
    (Append(text, parts), ...);
    Write(text);
  }

 private:
  static void Append(std::string& text, const std::string& part) { text += part; }
  static void Append(std::string& text, const char* part) { text += part ? part : ""; }
  // The program's own texts go to the file as UTF-8.
  static void Append(std::string& text, const std::wstring& part) {
    AppendWide(text, part.c_str());
  }
  static void Append(std::string& text, const wchar_t* part) { AppendWide(text, part); }
  static void AppendWide(std::string& text, const wchar_t* part);
  template <typename N, typename = std::enable_if_t<std::is_arithmetic_v<N>>>
  static void Append(std::string& text, N number) {
    text += std::to_string(number);
  }
  void Write(const std::string& text) const;

  graphics::KernelHandle file_;
};

// The application's announcer as the callers reach it: silent before the application is made and
// after it has gone.
class Announcement {
 public:
  explicit Announcement(const Announcer* to) : to_(to) {}
  bool on() const { return to_ && to_->on(); }
  template <typename... Parts>
  void Say(const Parts&... parts) const {
    if (to_) to_->Say(parts...);
  }

 private:
  const Announcer* to_;
};
Announcement Announce();

}  // namespace app
