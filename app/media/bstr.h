// An owned BSTR and the program's texts: UTF-16, or UTF-8 for the catalogue's addresses.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace app {

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text);
  static Bstr FromUtf8(const std::string& text);
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
  ~Bstr() { SysFreeString(b_); }

  BSTR get() const { return b_; }
  // For out-parameters: frees what is held first.
  BSTR* Out() {
    SysFreeString(std::exchange(b_, nullptr));
    return &b_;
  }
  std::wstring ToText() const;  // empty for a null BSTR
  std::string ToUtf8() const;

 private:
  BSTR b_ = nullptr;
};

}  // namespace app
