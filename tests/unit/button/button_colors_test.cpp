#include "controls/button/button_colors.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "controls/button/access_key.h"

namespace kestrune::button {
namespace {

struct ShadeCase {
  Rgb color;
  int n;
  bool proportionalBlue;
  Rgb expected;
};

class ShadeColorTest : public ::testing::TestWithParam<ShadeCase> {};

TEST_P(ShadeColorTest, AddsAndClamps) {
  const ShadeCase& c = GetParam();
  EXPECT_EQ(ShadeColor(c.color, c.n, c.proportionalBlue), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShadeColorTest,
    ::testing::Values(
        // Blue moves by blue * n / 192 in proportional mode; red and green always by n.
        ShadeCase{MakeRgb(100, 100, 96), -32, true, MakeRgb(68, 68, 80)},
        ShadeCase{MakeRgb(100, 100, 96), -32, false, MakeRgb(68, 68, 64)},
        // Truncation towards zero: 100 * -5 / 192 = -2.6 gives -2, not -3.
        ShadeCase{MakeRgb(50, 50, 100), -5, true, MakeRgb(45, 45, 98)},
        ShadeCase{MakeRgb(0, 0, 192), 48, true, MakeRgb(48, 48, 240)},
        // Every component clamps at both ends.
        ShadeCase{MakeRgb(0, 0, 255), 48, true, MakeRgb(48, 48, 255)},
        ShadeCase{MakeRgb(250, 10, 200), 10, false, MakeRgb(255, 20, 210)},
        ShadeCase{MakeRgb(10, 200, 30), -64, false, MakeRgb(0, 136, 0)},
        ShadeCase{MakeRgb(236, 233, 216), -192, false, MakeRgb(44, 41, 24)}));

TEST(AddColorClamped, ClampsToZeroAndToTheLimitPerComponent) {
  EXPECT_EQ(AddColorClamped(MakeRgb(20, 250, 255), -30, -30, -60, MakeRgb(250, 250, 250)), MakeRgb(0, 220, 195));
  // The limit is per component, not one value for all three.
  EXPECT_EQ(AddColorClamped(MakeRgb(240, 100, 0), 20, 20, 20, MakeRgb(250, 110, 5)), MakeRgb(250, 110, 5));
  EXPECT_EQ(AddColorClamped(MakeRgb(186, 220, 220), -40, -30, -15, MakeRgb(250, 250, 250)), MakeRgb(146, 190, 205));
}

TEST(ResolveColor, TranslatesSystemColoursAndKeepsRgb) {
  struct Fixed : SystemColors {
    Rgb Get(int index) const override { return index == 15 ? MakeRgb(1, 2, 3) : 0; }
  } system;
  EXPECT_EQ(ResolveColor(0x8000000F, system), MakeRgb(1, 2, 3));
  EXPECT_EQ(ResolveColor(0x58C3FA, system), 0x58C3FAu);
}

struct KeyCase {
  std::wstring caption;
  std::optional<wchar_t> key;
};

class AccessKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(AccessKeyTest, FindsTheMarkedCharacter) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(AccessKeyOf(c.caption), c.key) << std::string(c.caption.begin(), c.caption.end());
}

INSTANTIATE_TEST_SUITE_P(Captions, AccessKeyTest,
                         ::testing::Values(KeyCase{L"E&xit", L'x'}, KeyCase{L"&Open", L'o'},
                                           KeyCase{L"Tom && Jerry", std::nullopt}, KeyCase{L"A&", std::nullopt},
                                           KeyCase{L"&&&B", L'b'}, KeyCase{L"", std::nullopt},
                                           KeyCase{L"&", std::nullopt}, KeyCase{L"x", std::nullopt},
                                           KeyCase{L"No key", std::nullopt}, KeyCase{L"&&", std::nullopt},
                                           // Only one more marker is tried after a literal pair.
                                           KeyCase{L"&&&&x", std::nullopt}, KeyCase{L"a&&b&C", L'c'},
                                           KeyCase{L"&&x&", std::nullopt}, KeyCase{L"Save &As", L'a'},
                                           // Only the first marker counts.
                                           KeyCase{L"&First &Second", L'f'}));

}  // namespace
}  // namespace kestrune::button
