// A handle is closed exactly once, by whichever owner holds it last.
#include "graphics/kernel_handle.h"

#include <gtest/gtest.h>

#include <utility>

namespace graphics {
namespace {

bool Open(HANDLE h) {
  DWORD flags = 0;
  return GetHandleInformation(h, &flags) != 0;
}

TEST(KernelHandle, ClosesOnceWhateverItWasMovedThrough) {
  HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(Open(raw));
  {
    KernelHandle first(raw);
    KernelHandle second(std::move(first));
    EXPECT_FALSE(first.valid());
    KernelHandle third;
    third = std::move(second);
    EXPECT_EQ(third.get(), raw);
    EXPECT_TRUE(Open(raw));
  }
  EXPECT_FALSE(Open(raw));
  EXPECT_FALSE(KernelHandle(INVALID_HANDLE_VALUE).valid());
  EXPECT_FALSE(KernelHandle(nullptr));
}

}  // namespace
}  // namespace graphics
