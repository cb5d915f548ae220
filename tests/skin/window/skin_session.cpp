// Every test of this executable runs with GDI+ started and the one skin engine made, as process
// start makes them.
#include <gtest/gtest.h>

#include "skin/gdi/gdi_object_cache.h"
#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

class SkinSession : public testing::Environment {
 public:
  void SetUp() override {
    skin::skinEngine = new skin::SkinEngine();
    skin::StartGdiplus();
    ASSERT_NE(skin::gdiplusToken, 0u);
    skin::SetSkinDefaults();
  }
  void TearDown() override {
    delete skin::skinEngine;
    skin::skinEngine = nullptr;
    skin::FreeSkinArrays();
  }
};

testing::Environment* const session = testing::AddGlobalTestEnvironment(new SkinSession);

}  // namespace
