// A title in a script the chosen face lacks is drawn in a face that has its glyphs; a text the
// face can show keeps it.
#include "skin/caption/glyph_fallback.h"

#include <gtest/gtest.h>

#include "skin/gdi/gdi_scoped.h"

namespace {

// A face with Latin, Greek and Cyrillic but no CJK glyphs, in every locale (scripts/setup installs
// it); names the prefix lacks, such as Tahoma, map to its CJK face under a CJK code page.
constexpr wchar_t kLatinFace[] = L"DejaVu Sans";

TEST(GlyphFallback, AFaceThatHasTheGlyphsIsKept) {
  for (const wchar_t* text : {L"Velory Music Player", L"Café, naïve… — Ёжик", L""}) {
    EXPECT_EQ(skin::MissingGlyphs(kLatinFace, text), L"") << text;
    EXPECT_EQ(skin::FaceWithGlyphs(kLatinFace, text), kLatinFace) << text;
  }
  skin::GdiObject<HFONT> font(
      CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, kLatinFace));
  EXPECT_EQ(skin::FontWithGlyphs(font.get(), L"Velory"), nullptr);
}

TEST(GlyphFallback, OtherScriptsGetAFaceWithTheirGlyphs) {
  for (const wchar_t* text :
       {L"Velory音乐播放器", L"こんにちは 世界", L"노래 한 곡", L"晨光 Morning"}) {
    ASSERT_NE(skin::MissingGlyphs(kLatinFace, text), L"") << text;
    const std::wstring face = skin::FaceWithGlyphs(kLatinFace, text);
    EXPECT_NE(face, kLatinFace) << text;
    EXPECT_EQ(skin::MissingGlyphs(face, text), L"") << text << " in " << face;
  }
}

TEST(GlyphFallback, AGdiFontIsMadeAgainInTheFaceWithTheGlyphsAtItsSize) {
  skin::GdiObject<HFONT> font(
      CreateFontW(-17, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, kLatinFace));
  skin::GdiObject<HFONT> other(skin::FontWithGlyphs(font.get(), L"音乐"));
  ASSERT_NE(other.get(), nullptr);
  LOGFONTW made{};
  ASSERT_NE(GetObjectW(other.get(), sizeof(made), &made), 0);
  EXPECT_EQ(made.lfHeight, -17);
  EXPECT_EQ(made.lfWeight, FW_BOLD);
  EXPECT_EQ(skin::MissingGlyphs(made.lfFaceName, L"音乐"), L"");
}

}  // namespace
