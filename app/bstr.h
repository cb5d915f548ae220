// An owned BSTR and the conversions between it and the program's code page 936 texts.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace app {

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::string& text);  // code page 936 text
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
  std::string ToText() const;  // code page 936; empty for a null BSTR

 private:
  BSTR b_ = nullptr;
};

}  // namespace app
