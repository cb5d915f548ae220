// Every test of this executable runs with GDI+ started and the one skin engine made, as process
// start makes them.
#include <gtest/gtest.h>

#include "skin/skin_engine.h"
#include "skin/skin_settings.h"
#include "tests/skin/window/skin_test_window.h"

namespace {

class SkinSession : public testing::Environment {
 public:
  void SetUp() override {
    skin_test::engine = new skin::SkinEngine();
    skin_test::engine->gdiplusToken = skin::StartGdiplus();
    skin_test::WatchPaints(*skin_test::engine);
    ASSERT_NE(skin_test::engine->gdiplusToken, 0u);
  }
  void TearDown() override {
    delete skin_test::engine;
    skin_test::engine = nullptr;
  }
};

testing::Environment* const session = testing::AddGlobalTestEnvironment(new SkinSession);

}  // namespace
