#include "app/media/bstr.h"

#include "catalogue/text_routines.h"

namespace app {

Bstr::Bstr(const std::wstring& text) {
  b_ = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

Bstr Bstr::FromUtf8(const std::string& text) { return Bstr(catalogue::FromUtf8(text)); }

std::wstring Bstr::ToText() const { return std::wstring(b_, SysStringLen(b_)); }

std::string Bstr::ToUtf8() const { return catalogue::ToUtf8(ToText()); }

}  // namespace app
