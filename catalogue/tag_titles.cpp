#include "catalogue/tag_titles.h"

#include <windows.h>
// After windows.h, whose types they use.
#include <propkey.h>
#include <shobjidl.h>

#include "catalogue/music_source.h"

namespace catalogue {
namespace {

std::wstring StringProperty(IPropertyStore* store, const PROPERTYKEY& key) {
  PROPVARIANT value;
  PropVariantInit(&value);
  std::wstring text;
  if (SUCCEEDED(store->GetValue(key, &value))) {
    if (value.vt == VT_LPWSTR && value.pwszVal) text = value.pwszVal;
    // Artists come as a list of strings.
    if (value.vt == (VT_VECTOR | VT_LPWSTR) && value.calpwstr.cElems > 0) {
      text = value.calpwstr.pElems[0];
    }
  }
  PropVariantClear(&value);
  return text;
}

}  // namespace

std::wstring SongTitle(std::wstring_view title, std::wstring_view artist, std::wstring_view path) {
  if (title.empty()) return TitleFromFileName(path);
  if (artist.empty()) return std::wstring(title);
  return std::wstring(artist) + L" - " + std::wstring(title);
}

std::wstring TitleOfFile(const std::wstring& path) {
  IPropertyStore* store = nullptr;
  if (FAILED(SHGetPropertyStoreFromParsingName(path.c_str(), nullptr, GPS_DEFAULT,
                                               IID_IPropertyStore,
                                               reinterpret_cast<void**>(&store))) ||
      !store) {
    return TitleFromFileName(path);
  }
  const std::wstring title = StringProperty(store, PKEY_Title);
  const std::wstring artist = StringProperty(store, PKEY_Music_Artist);
  store->Release();
  return SongTitle(title, artist, path);
}

}  // namespace catalogue
