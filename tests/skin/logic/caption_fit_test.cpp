// The caption cut before the caption buttons, measured here as 10 per UTF-16 unit.
#include "skin/caption/caption_fit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

float TenPerUnit(const std::wstring& text) { return 10.0f * static_cast<float>(text.size()); }

TEST(CaptionFit, ACaptionTooWideIsCutWithAnEllipsisThatFits) {
  const struct {
    std::wstring text;
    float width;
    std::wstring shown;
  } cases[] = {
      {L"Velory", 60, L"Velory"},              // fits exactly
      {L"Velory", 59, L"Velo\u2026"},          // four units and the ellipsis
      {L"Velory Music", 80, L"Velory\u2026"},  // no blank before the ellipsis
      {L"ab\U0001F3B5cd", 40, L"ab\u2026"},    // the pair stays whole or goes
      {L"ab\U0001F3B5cd", 50, L"ab\U0001F3B5\u2026"},
      {L"Velory", 10, L"\u2026"},
      {L"Velory", 9, L""},
      {L"", 0, L""},
  };
  for (const auto& c : cases) {
    const std::wstring shown = skin::FitWithEllipsis(c.text, c.width, TenPerUnit);
    EXPECT_EQ(shown, c.shown) << c.width;
    EXPECT_LE(TenPerUnit(shown), c.width > 0 ? c.width : 0) << c.width;
  }
}

}  // namespace
