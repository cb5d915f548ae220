// Every test of this executable runs with GDI+ started.
#include <gtest/gtest.h>

#include "graphics/gfx_types.h"

namespace {

class GdiplusSession : public testing::Environment {
 public:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
  }
  void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};

testing::Environment* const session = testing::AddGlobalTestEnvironment(new GdiplusSession);

}  // namespace
