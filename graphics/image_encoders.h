// The installed GDI+ image encoders and the parameter lists handed to them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace graphics {

struct EncoderInfo {
  std::string clsid;     // registry form: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case
  std::string formatId;  // same form
  std::string codecName;
  std::string dllName;
  std::string formatDescription;
  std::string filenameExtension;
  std::string mimeType;
  uint32_t flags = 0;
  uint32_t version = 0;
};

// One encoder parameter: GUID as registry-form text, number of values, GDI+ value type
// (1 byte, 2 ASCII, 3 short, 4 long, 5 rational, 6 long range, 7 undefined, 8 rational range)
// and the value bytes.
struct EncoderParameter {
  std::string guid;
  uint32_t numberOfValues = 0;
  uint32_t type = 0;
  std::vector<uint8_t> value;
};
using EncoderParameterList = std::vector<EncoderParameter>;

// In the order GDI+ reports them; empty when the query fails.
std::vector<EncoderInfo> ListEncoders();
// The CLSID text of the first encoder whose format ID text equals the argument exactly
// (case-sensitive); empty when none does.
std::string FindEncoder(std::string_view formatId);
// Registry form, upper-case hex in braces.
std::string GuidToText(const GUID& guid);
// False for text that is not a registry-form GUID.
bool GuidFromText(std::string_view text, GUID* guid);

}  // namespace graphics
