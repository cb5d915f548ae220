#include "skin/control_families.h"

#include <array>

namespace skin {
namespace {

using FamilyAttach = void (*)(int32_t index, HWND parent);

// The control skins add their attach operations here, in the order above.
constexpr std::array<FamilyAttach, 0> kFamilies{};

}  // namespace

void AttachControlFamilies(int32_t index, HWND parent) {
  for (FamilyAttach attach : kFamilies) attach(index, parent);
}

}  // namespace skin
