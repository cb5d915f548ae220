#include "graphics/image_encoders.h"

#include <windows.h>
//
#include <objbase.h>

#include "graphics/gdiplus_status.h"
#include "graphics/gfx_types.h"

namespace graphics {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// The names and GUIDs are kept as UTF-8, like every text that is not shown.
std::string Utf8(const WCHAR* text) {
  const int n = text ? WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr) : 0;
  if (n <= 1) return {};
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), n, nullptr, nullptr);
  bytes.pop_back();
  return bytes;
}

}  // namespace

std::vector<EncoderInfo> ListEncoders() {
  UINT count = 0;
  UINT size = 0;
  if (!RecordGdiplusStatus(GdipGetImageEncodersSize(&count, &size)) || count == 0) return {};
  // ImageCodecInfo records followed by the texts they point to.
  std::vector<uint64_t> buffer((size + sizeof(uint64_t) - 1) / sizeof(uint64_t));
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  if (!RecordGdiplusStatus(GdipGetImageEncoders(count, size, codecs))) return {};
  std::vector<EncoderInfo> encoders;
  encoders.reserve(count);
  for (UINT i = 0; i < count; ++i) {
    const ImageCodecInfo& codec = codecs[i];
    EncoderInfo& info = encoders.emplace_back();
    info.clsid = GuidToText(codec.Clsid);
    info.formatId = GuidToText(codec.FormatID);
    info.codecName = Utf8(codec.CodecName);
    info.dllName = Utf8(codec.DllName);
    info.formatDescription = Utf8(codec.FormatDescription);
    info.filenameExtension = Utf8(codec.FilenameExtension);
    info.mimeType = Utf8(codec.MimeType);
    info.flags = codec.Flags;
    info.version = codec.Version;
  }
  return encoders;
}

std::string FindEncoder(std::string_view formatId) {
  for (const EncoderInfo& encoder : ListEncoders()) {
    if (encoder.formatId == formatId) return encoder.clsid;
  }
  return {};
}

std::string GuidToText(const GUID& guid) {
  WCHAR text[40] = {};
  if (StringFromGUID2(guid, text, 40) == 0) return {};
  return Utf8(text);
}

bool GuidFromText(std::string_view text, GUID* guid) {
  *guid = GUID{};
  // Only the registry form: CLSIDFromString would also look up program names.
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
  const std::wstring wide(text.begin(),
                          text.end());  // a byte past ASCII is no digit: refused below
  return SUCCEEDED(CLSIDFromString(wide.c_str(), guid));
}

}  // namespace graphics
