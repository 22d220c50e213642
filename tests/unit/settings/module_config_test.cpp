#include "settings/module_config.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/fake_profile.h"

namespace kestrune {
namespace {

struct NumberCase {
  const char* text;
  double number;
  bool on;
};

class LeadingNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumber, ParsesLenientlyAndDecidesTheFlag) {
  const NumberCase& c = GetParam();
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(c.text), c.number) << '"' << c.text << '"';
  EXPECT_EQ(IsSettingOn(c.text), c.on) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Table, LeadingNumber,
                         ::testing::Values(NumberCase{"1", 1, true}, NumberCase{"01", 1, true},
                                           NumberCase{"1.0", 1, true}, NumberCase{"1abc", 1, true},
                                           NumberCase{"+1", 1, true}, NumberCase{"1.", 1, true},
                                           NumberCase{"  1", 1, true}, NumberCase{"1.000x", 1, true},
                                           NumberCase{"1e2", 1, true},  // no exponent: the "e2" is rest
                                           NumberCase{"2", 2, false}, NumberCase{"-1", -1, false},
                                           NumberCase{"on", 0, false}, NumberCase{"", 0, false},
                                           NumberCase{"0", 0, false}, NumberCase{"1.5", 1.5, false},
                                           NumberCase{".5", 0.5, false}, NumberCase{"-.5", -0.5, false},
                                           NumberCase{".", 0, false}, NumberCase{"-", 0, false},
                                           NumberCase{"+-1", 0, false}, NumberCase{"- 1", 0, false},
                                           NumberCase{"100.0", 100, false}, NumberCase{"300abc", 300, false},
                                           NumberCase{"0.99", 0.99, false}, NumberCase{"11", 11, false}));

TEST(LeadingNumberLimits, HugeAndTinyInputsNeitherFailNorTurnOn) {
  const std::string huge(400, '9');
  EXPECT_TRUE(std::isinf(ParseLeadingNumber(huge)));
  EXPECT_TRUE(std::isinf(ParseLeadingNumber("-" + huge)));
  EXPECT_LT(ParseLeadingNumber("-" + huge), 0);
  EXPECT_FALSE(IsSettingOn(huge));
  const std::string tiny = "0." + std::string(400, '0') + "1";
  EXPECT_EQ(ParseLeadingNumber(tiny), 0.0);
  // Enough zeros before a 1 still read as 1.
  EXPECT_TRUE(IsSettingOn(std::string(300, '0') + "1"));
}

TEST(ShortestDecimalText, MatchesTheComboItemSpelling) {
  EXPECT_EQ(ShortestDecimal(100.0), "100");
  EXPECT_EQ(ShortestDecimal(50), "50");
  EXPECT_EQ(ShortestDecimal(0.0), "0");
  EXPECT_EQ(ShortestDecimal(-0.0), "0");
  EXPECT_EQ(ShortestDecimal(2.5), "2.5");
  EXPECT_EQ(ShortestDecimal(ParseLeadingNumber("0300.000")), "300");
  EXPECT_EQ(ShortestDecimal(-7), "-7");
}

// The fourteen routines differ only in section and key; each pair must use exactly its own.
struct Routine {
  const char* section;
  const char* key;
  std::string (ModuleConfig::*read)();
  bool (ModuleConfig::*write)(std::string_view);
};

class ConfigRoutine : public ::testing::TestWithParam<Routine> {};

TEST_P(ConfigRoutine, ReadsAndWritesItsOwnSectionAndKey) {
  const Routine& r = GetParam();
  testing::FakeProfileStore store;
  ModuleConfig config(store);

  EXPECT_EQ((config.*r.read)(), "");  // missing file
  EXPECT_TRUE((config.*r.write)("7"));
  ASSERT_EQ(store.entries.size(), 1u);
  EXPECT_EQ(store.entries[0].section, r.section);
  EXPECT_EQ(store.entries[0].key, r.key);
  EXPECT_EQ(store.entries[0].value, "7");

  store.Set(r.section, r.key, "  42 ");
  EXPECT_EQ((config.*r.read)(), "42");
  EXPECT_EQ(store.lastBufferBytes, 255u);

  store.failWrites = true;
  EXPECT_FALSE((config.*r.write)("1"));
  EXPECT_EQ(*store.Get(r.section, r.key), "  42 ");
}

INSTANTIATE_TEST_SUITE_P(
    All, ConfigRoutine,
    ::testing::Values(Routine{"Normal", "AutoRun", &ModuleConfig::ReadAutoRun, &ModuleConfig::WriteAutoRun},
                      Routine{"Normal", "AutoMin", &ModuleConfig::ReadAutoMin, &ModuleConfig::WriteAutoMin},
                      Routine{"Speed", "SpeedLevel", &ModuleConfig::ReadSpeedLevel, &ModuleConfig::WriteSpeedLevel},
                      Routine{"Record", "EnableRecord", &ModuleConfig::ReadEnableRecord,
                              &ModuleConfig::WriteEnableRecord},
                      Routine{"Record", "RecordCount", &ModuleConfig::ReadRecordCount,
                              &ModuleConfig::WriteRecordCount},
                      Routine{"Normal", "EnableSpeed", &ModuleConfig::ReadEnableSpeed,
                              &ModuleConfig::WriteEnableSpeed},
                      Routine{"Normal", "AlwaysTop", &ModuleConfig::ReadAlwaysTop, &ModuleConfig::WriteAlwaysTop}));

TEST(ConfigRead, TrimsBlanksCutsAtNulAndBoundsTheLength) {
  testing::FakeProfileStore store;
  ModuleConfig config(store);

  store.Set("Normal", "AutoRun", "   ");
  EXPECT_EQ(config.ReadAutoRun(), "");
  store.Set("Normal", "AutoRun", " a b ");
  EXPECT_EQ(config.ReadAutoRun(), "a b");  // blanks inside stay
  store.Set("Normal", "AutoRun", std::string("1\0junk", 6));
  EXPECT_EQ(config.ReadAutoRun(), "1");
  store.Set("Normal", "AutoRun", std::string(300, 'x'));
  EXPECT_EQ(config.ReadAutoRun().size(), 254u);
  store.Set("Normal", "AutoRun", std::string(300, ' ') + "1");
  EXPECT_EQ(config.ReadAutoRun(), "");  // the 1 lies beyond the 254 bytes that are read
}

// A store that ignores the buffer size must still not give more than the buffer holds.
class OverlongStore : public ProfileStore {
 public:
  std::string Read(std::string_view, std::string_view, std::size_t) override { return std::string(400, 'y'); }
  bool Write(std::string_view, std::string_view, std::string_view) override { return true; }
};

TEST(ConfigRead, NeverExceedsTheBufferWhateverTheStoreAnswers) {
  OverlongStore store;
  ModuleConfig config(store);
  EXPECT_EQ(config.ReadSpeedLevel().size(), 254u);
}

}  // namespace
}  // namespace kestrune
