#include "settings/stored_values.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/fake_code_page.h"

namespace kestrune {
namespace {

struct NumberCase {
  const char* text;
  double number;
  bool on;
};

class LeadingNumber : public ::testing::TestWithParam<NumberCase> {};

// A flag's stored text: its number, and whether the check box is checked.
TEST_P(LeadingNumber, ParsesLenientlyAndDecidesTheFlag) {
  const NumberCase& c = GetParam();
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(c.text), c.number) << '"' << c.text << '"';
  EXPECT_EQ(FlagFromStored(c.text), c.on) << '"' << c.text << '"';
  // The speed level is read the same way: 1 is the normal level.
  EXPECT_EQ(SpeedLevelFromStored(c.text), c.on ? SpeedLevel::Normal : SpeedLevel::Extreme) << '"' << c.text << '"';
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
  EXPECT_FALSE(FlagFromStored(huge));
  const std::string tiny = "0." + std::string(400, '0') + "1";
  EXPECT_EQ(ParseLeadingNumber(tiny), 0.0);
  // Enough zeros before a 1 still read as 1.
  EXPECT_TRUE(FlagFromStored(std::string(300, '0') + "1"));
}

// What RecordCount's stored text selects: the maximum equal to the number, or the first when none is.
class RecordCountFromText : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(RecordCountFromText, SelectsTheMaximumOrFallsBack) {
  const auto& [stored, count] = GetParam();
  EXPECT_EQ(RecordCountFromStored(stored), count) << stored;
}

INSTANTIATE_TEST_SUITE_P(Table, RecordCountFromText,
                         ::testing::Values(std::pair{"50", 50}, std::pair{"0300", 300},
                                           std::pair{"200 rows", 200}, std::pair{"+100", 100},
                                           std::pair{"100.0", 100}, std::pair{"", 50}, std::pair{"0", 50},
                                           std::pair{"75", 50}, std::pair{"-100", 50},
                                           std::pair{"100.5", 50}, std::pair{"many", 50},
                                           std::pair{"1e2", 50}));

TEST(StoredText, OfEachValue) {
  EXPECT_EQ(StoredFlag(true), "1");
  EXPECT_EQ(StoredFlag(false), "0");
  EXPECT_EQ(StoredSpeedLevel(SpeedLevel::Normal), "1");
  EXPECT_EQ(StoredSpeedLevel(SpeedLevel::Extreme), "2");
  EXPECT_EQ(StoredSpeedLevel(SpeedLevel::Unknown), "2");
  for (const int count : kRecordCounts) {
    EXPECT_EQ(StoredRecordCount(count), std::to_string(count));
    // What a maximum stores selects it again at the next start.
    EXPECT_EQ(RecordCountFromStored(StoredRecordCount(count)), count);
  }
  EXPECT_EQ(SpeedLevelFromStored(StoredSpeedLevel(SpeedLevel::Normal)), SpeedLevel::Normal);
  EXPECT_EQ(SpeedLevelFromStored(StoredSpeedLevel(SpeedLevel::Extreme)), SpeedLevel::Extreme);
}

}  // namespace
}  // namespace kestrune
