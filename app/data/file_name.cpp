#include "app/data/file_name.h"

#include <cwctype>

namespace app {
namespace {

bool Reserved(wchar_t c) {
  return c < 0x20 || c == L'<' || c == L'>' || c == L':' || c == L'"' || c == L'/' || c == L'\\' ||
         c == L'|' || c == L'?' || c == L'*';
}

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, whatever follows a dot.
bool DeviceName(const std::wstring& stem) {
  std::wstring base = stem.substr(0, stem.find(L'.'));
  base.erase(base.find_last_not_of(L' ') + 1);
  for (wchar_t& c : base) c = static_cast<wchar_t>(std::towupper(c));
  if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL") return true;
  return base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
         base[3] >= L'1' && base[3] <= L'9';
}

void TrimEnd(std::wstring& s) {
  const size_t keep = s.find_last_not_of(L" .");
  s.erase(keep == std::wstring::npos ? 0 : keep + 1);
}

}  // namespace

std::wstring SafeFileStem(const std::wstring& title) {
  std::wstring stem;
  for (wchar_t c : title) stem += Reserved(c) ? L'_' : c;
  stem.erase(0, stem.find_first_not_of(L' '));
  if (stem.size() > kMaxStemUnits) {
    size_t cut = kMaxStemUnits;
    if (stem[cut - 1] >= 0xD800 && stem[cut - 1] <= 0xDBFF) --cut;  // a high surrogate's pair
    stem.resize(cut);
  }
  TrimEnd(stem);
  if (DeviceName(stem)) stem.insert(0, 1, L'_');
  return stem;
}

}  // namespace app
