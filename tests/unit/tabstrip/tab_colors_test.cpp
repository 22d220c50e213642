#include "controls/tabstrip/tab_colors.h"

#include <gtest/gtest.h>

#include "tab_strip_rig.h"

namespace kestrune::tabstrip {
namespace {

using testing::FakeSystemColors;
using testing::FakeTabStripPlatform;

TEST(TabColors, TranslatesSystemColoursAndRejectsUntranslatableValues) {
  FakeSystemColors sys;
  EXPECT_EQ(ToRgb(0x8000000F, sys), MakeRgb(212, 208, 200));
  EXPECT_EQ(ToRgb(0x80000012, sys), 0u);
  EXPECT_EQ(ToRgb(0x00123456, sys), 0x123456u);
  EXPECT_EQ(ToRgb(0x02123456, sys), 0x123456u);  // palette-relative RGB
  EXPECT_EQ(ToRgb(0x800000FF, sys), 0u);         // no such system colour
  EXPECT_EQ(ToRgb(0x80010005, sys), 0u);
  EXPECT_EQ(ToRgb(0x05123456, sys), 0u);
}

TEST(TabColors, ChannelsOfRgb) {
  EXPECT_EQ(RedOf(0x123456), 0x56);
  EXPECT_EQ(GreenOf(0x123456), 0x34);
  EXPECT_EQ(BlueOf(0x123456), 0x12);
  EXPECT_EQ(BlueOf(0xFFFFFF), 0xFF);
}

struct OffsetCase {
  OleColor color;
  int offset;
  Rgb expected;
};

class OffsetColorTest : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(OffsetColorTest, ShiftsEachChannelAndClamps) {
  FakeSystemColors sys;
  EXPECT_EQ(OffsetColor(GetParam().color, GetParam().offset, sys), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, OffsetColorTest,
                         ::testing::Values(OffsetCase{0x000000, -16, 0x000000}, OffsetCase{0xFFFFFF, 16, 0xFFFFFF},
                                           OffsetCase{0x102030, 16, 0x203040}, OffsetCase{0x102030, -0x20, 0x000010},
                                           OffsetCase{0x123456, 512, 0xFFFFFF}, OffsetCase{0x123456, -512, 0x000000},
                                           OffsetCase{0x123456, 0x7FFFFFFF, 0xFFFFFF},
                                           OffsetCase{0x123456, -0x7FFFFFFF, 0x000000},
                                           // a system colour is translated first: active caption (10, 36, 106)
                                           OffsetCase{0x80000003, 16, MakeRgb(26, 52, 122)},
                                           OffsetCase{0x80000003, -16, MakeRgb(0, 20, 90)}));

struct BlendCase {
  OleColor a, b;
  int weight;
  Rgb expected;
};

class BlendColorsTest : public ::testing::TestWithParam<BlendCase> {};

TEST_P(BlendColorsTest, MixesByWeightRoundingHalvesToEven) {
  FakeSystemColors sys;
  EXPECT_EQ(BlendColors(GetParam().a, GetParam().b, GetParam().weight, sys), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, BlendColorsTest,
                         ::testing::Values(BlendCase{0xFFFFFF, 0x000000, 128, 0x808080},
                                           BlendCase{0xFFFFFF, 0x000000, 255, 0xFFFFFF},
                                           BlendCase{0xFFFFFF, 0x000000, 0, 0x000000},
                                           BlendCase{0x0000FF, 0xFF0000, 51, MakeRgb(51, 0, 204)},
                                           // 2 * 127.5/255 = 1.0 -> 1; 1 * 0.5 = 0.5 -> 0 (even)
                                           BlendCase{0x000001, 0x000000, 127, 0x000000},
                                           BlendCase{0x8000000F, 0xFFFFFF, 255, MakeRgb(212, 208, 200)}));

// One row per theme, in the order of themecolor::Index; -1 = left unchanged.
struct ThemeRow {
  int theme;
  std::int64_t v[themecolor::kCount];
};

class ThemeColorsTest : public ::testing::TestWithParam<ThemeRow> {};

TEST_P(ThemeColorsTest, MatchesTheTable) {
  FakeSystemColors sys;
  const ThemeColorSet s = ThemeColors(GetParam().theme, sys);
  for (int k = 0; k < themecolor::kCount; ++k) {
    SCOPED_TRACE("entry " + std::to_string(k));
    if (GetParam().v[k] < 0) {
      EXPECT_FALSE(s.colors[k].has_value());
    } else {
      ASSERT_TRUE(s.colors[k].has_value());
      EXPECT_EQ(*s.colors[k], static_cast<OleColor>(GetParam().v[k]));
    }
  }
  EXPECT_EQ(s.beigeExtras, GetParam().theme == kThemeBeige);
}

INSTANTIATE_TEST_SUITE_P(
    Themes, ThemeColorsTest,
    ::testing::Values(
        ThemeRow{0, {0x8000000F, 0x8000000F, 0x80000012, 0x8000000F, 0x8000000F, 0x80000012, -1, 0x8000000F,
                     0x80000015, 0x80000014, 0x80000015, 0x80000010, -1, -1}},
        ThemeRow{1, {0xFBFDFB, 0xFBFDFB, 0x80000012, 0xFFFFFF, 0xEAF0F0, 0x80000012, -1, 0x8000000F, 0xA0A0A0, -1,
                     0x9B9C91, -1, 0x3BC7FF, 0xEE8269}},
        ThemeRow{2, {0x8000000F, 0x8000000F, 0x80000012, 0x80000016, 0x80000016, 0x80000011, 0x80000016,
                     0x8000000F, 0x80000015, -1, 0x80000014, 0x80000010, -1, -1}},
        ThemeRow{3, {0xF8F8F8, -1, 0xA76D50, 0xE5E5E5, -1, 0x909090, 0x8000000F, 0x8000000F, 0x80000015, -1,
                     0x909090, -1, -1, -1}},
        // Beige hover/focus: active caption (10, 36, 106) offset by +16 / -16.
        ThemeRow{4, {0xE7F8FB, 0xDCEDF0, 0x80000012, 0xDCEDF0, 0xCBDCDF, 0x80000012, -1, 0x8000000F, 0xA0A0A0,
                     0x80000014, 0xA8B9BC, 0x80000010, MakeRgb(26, 52, 122), MakeRgb(0, 20, 90)}},
        ThemeRow{5, {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}}));

struct VersionCase {
  OsVersion version;
  bool xp;
};

class IsWindowsXpTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(IsWindowsXpTest, OnlyWindowsXpAnswersTrue) {
  FakeTabStripPlatform p;
  p.version = GetParam().version;
  EXPECT_EQ(IsWindowsXp(p), GetParam().xp);
}

INSTANTIATE_TEST_SUITE_P(Versions, IsWindowsXpTest,
                         ::testing::Values(VersionCase{{true, 2, 5, 1, 2600}, true},
                                           VersionCase{{true, 2, 5, 1, 3790}, true},
                                           VersionCase{{true, 2, 5, 1, 2599}, false},
                                           VersionCase{{true, 2, 5, 0, 2195}, false},
                                           VersionCase{{true, 2, 6, 0, 6000}, false},
                                           VersionCase{{true, 1, 5, 1, 2600}, false},
                                           VersionCase{{false, 2, 5, 1, 2600}, false}));

TEST(TabColors, ThemeInfoFromTheVisualStyle) {
  FakeTabStripPlatform p;
  p.version = {true, 2, 6, 0, 6000};
  p.themeColorBuffer = std::wstring(L"NormalColor") + std::wstring(244, L'\0');
  EXPECT_EQ(VisualStyleName(p), L"None");  // not XP: the style is not even asked for

  p.version = {true, 2, 5, 1, 2600};
  EXPECT_EQ(VisualStyleName(p), L"NormalColor");
  p.themeNameOk = false;
  EXPECT_EQ(VisualStyleName(p), L"UxTheme_Error");
  p.themeNameOk = true;
  p.themeColorBuffer = std::wstring(L"   ") + std::wstring(10, L'\0');
  EXPECT_EQ(VisualStyleName(p), L"None");
  p.themeColorBuffer = std::wstring(255, L'\0');
  EXPECT_EQ(VisualStyleName(p), L"None");
  p.themeColorBuffer = std::wstring(L"Metal") + L'\0' + L"lic" + L'\0' + L"junk";
  EXPECT_EQ(VisualStyleName(p), L"Metallic");
}

}  // namespace
}  // namespace kestrune::tabstrip
