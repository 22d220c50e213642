// The rules per program: the one decision of what a process gets, and the rules as kestrune.ini
// keeps them, in the [Rules] section beside the Exclude key.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/program_decision.h"
#include "engine/program_rules.h"
#include "platform/processes.h"

namespace kestrune {
namespace {

constexpr ProcessPlace kFront{.front = true, .frontTree = true};
constexpr ProcessPlace kBehind{.ours = true}, kHog{.ours = true, .hog = true};
constexpr ProcessPlace kInFrontTree{.frontTree = true, .ours = true, .hog = true};
constexpr ProcessPlace kOtherSession{.hog = true}, kSystemHog{.ours = true, .system = true, .hog = true};
constexpr GeneralSettings kNormal{SpeedLevel::Normal, false}, kExtreme{SpeedLevel::Extreme, false};
constexpr GeneralSettings kRestraining{SpeedLevel::Normal, true}, kNoLevel{SpeedLevel::Unknown, true};
constexpr std::uint32_t kHigh = priority::kHigh, kRealtime = priority::kRealtime, kLow = priority::kBelowNormal;
using enum Treatment;

TEST(Decision, OfEachChoiceInFrontAndBehindBesideTheGeneralSettings) {
  const struct {
    const wchar_t* rule;  // its [Rules] value; null: the program has none
    ProcessPlace place;
    GeneralSettings general;
    Decision expected;
  } cases[] = {
      {nullptr, kFront, kNormal, {Raised, kHigh, SpeedLevel::Normal, false}},
      {nullptr, kFront, kExtreme, {Raised, kRealtime, SpeedLevel::Extreme, false}},
      {L"auto,low", kFront, kExtreme, {Raised, kRealtime, SpeedLevel::Extreme, false}},
      {L"high,auto", kFront, kExtreme, {Raised, kHigh, SpeedLevel::Normal, true}},
      {L"realtime,free", kFront, kNormal, {Raised, kRealtime, SpeedLevel::Extreme, true}},
      {L"high,auto", kFront, kNoLevel, {Raised, kHigh, SpeedLevel::Normal, true}},
      {nullptr, kFront, kNoLevel, {}},
      {L"off,auto", kFront, kNormal, {LeftAlone, 0, SpeedLevel::Unknown, true}},
      {L"off,low", kFront, kNormal, {LeftAlone, 0, SpeedLevel::Unknown, true}},
      {nullptr, kHog, kRestraining, {Restrained, kLow, SpeedLevel::Unknown, false}},
      {nullptr, kHog, kNormal, {}},
      {nullptr, kBehind, kRestraining, {}},
      {L"high,auto", kHog, kRestraining, {Restrained, kLow, SpeedLevel::Unknown, false}},
      {L"auto,free", kHog, kRestraining, {LeftAlone, 0, SpeedLevel::Unknown, true}},
      {L"off,auto", kHog, kRestraining, {LeftAlone, 0, SpeedLevel::Unknown, true}},
      {L"auto,low", kBehind, kNormal, {KeptLow, kLow, SpeedLevel::Unknown, true}},
      {L"off,low", kHog, kRestraining, {KeptLow, kLow, SpeedLevel::Unknown, true}},
      {L"auto,low", kInFrontTree, kRestraining, {}},
      {L"auto,low", kOtherSession, kRestraining, {}},
      {nullptr, kSystemHog, kRestraining, {}},
      {L"auto,low", kSystemHog, kNormal, {KeptLow, kLow, SpeedLevel::Unknown, true}},
  };
  for (const auto& c : cases) {
    ProgramRule rule{L"p.exe"};
    if (c.rule != nullptr) std::tie(rule.front, rule.behind) = ChoicesOfValue(c.rule);
    EXPECT_EQ(Decide(c.rule != nullptr ? &rule : nullptr, c.place, c.general), c.expected)
        << (c.rule ? c.rule : L"none") << " front " << c.place.front << " tree " << c.place.frontTree << " hog "
        << c.place.hog << " restrain " << c.general.restrain;
  }
}

std::wstring Joined(const std::vector<ProfileEntry>& lines) {
  std::wstring text;
  for (const ProfileEntry& line : lines) text += (text.empty() ? L"" : L" ") + line.key + L"=" + line.value;
  return text;
}

std::wstring Joined(const ProgramRules& rules) {
  std::vector<ProfileEntry> lines;
  for (const ProgramRule& rule : rules.All()) lines.push_back({rule.name, ValueOfChoices(rule.front, rule.behind)});
  return Joined(lines);
}

TEST(RulesInTheFile, ReadWithTheExcludeKeyAndWrittenBackBothWays) {
  const struct {
    const char* name;
    const wchar_t* exclude;
    std::vector<ProfileEntry> lines;
    const wchar_t* rules;
    const wchar_t* storedExclude;
    const wchar_t* storedLines;
  } cases[] = {
      {"AnEarlierVersionsFile", L"a.exe|B.exe", {}, L"a.exe=off,auto B.exe=off,auto", L"a.exe|B.exe", L""},
      {"RulesAlone", L"", {{L"encoder.exe", L"high,free"}, {L"backup.exe", L"auto,low"}},
       L"encoder.exe=high,free backup.exe=auto,low", L"", L"encoder.exe=high,free backup.exe=auto,low"},
      {"WordsAnyCaseUnknownOrMissing", L"",
       {{L"a.exe", L" HIGH , Free "}, {L"b.exe", L"fast,slow"}, {L"c.exe", L"realtime"}, {L"e.exe", L"off,low,later"}},
       L"a.exe=high,free b.exe=auto,auto c.exe=realtime,auto e.exe=off,low", L"e.exe",
       L"a.exe=high,free c.exe=realtime,auto e.exe=auto,low"},
      // game.exe had "high,low" when an earlier version added it to Exclude; x.exe was written by
      // hand. Exclude tells "off": a line tells the rest, so that an older version's removal from
      // Exclude stands.
      {"ExcludeIsTheHomeOfTheProgramsLeftAlone", L"game.exe|tool.exe", {{L"GAME.EXE", L"high,low"}, {L"x.exe", L"off,free"}},
       L"game.exe=off,low tool.exe=off,auto x.exe=off,free", L"game.exe|tool.exe|x.exe",
       L"game.exe=auto,low x.exe=auto,free"},
      {"UnusableNamesAndSecondLines", L"",
       {{L"a|b.exe", L"high"}, {L" C:\\x\\p.exe ", L"low,low"}, {L"P.EXE", L"high"}, {L"c:\\X\\P.exe", L"off"}},
       L"p.exe=auto,low", L"", L"p.exe=auto,low"},
  };
  for (const auto& c : cases) {
    const ProgramRules rules = ProgramRules::FromStored(c.exclude, c.lines);
    EXPECT_EQ(Joined(rules), c.rules) << c.name;
    const StoredRules stored = rules.Stored();
    EXPECT_EQ(stored.exclude, c.storedExclude) << c.name;
    EXPECT_EQ(Joined(stored.lines), c.storedLines) << c.name;
    const StoredRules again = ProgramRules::FromStored(stored.exclude, stored.lines).Stored();
    EXPECT_EQ(again.exclude, stored.exclude) << c.name << ": read back, written the same";
    const auto sorted = [](std::vector<ProfileEntry> lines) {
      std::sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
      return lines;
    };
    EXPECT_EQ(sorted(again.lines), sorted(stored.lines)) << c.name;
  }
}

// Names compare as the file system compares them, in every script a user may name a program in.
TEST(RulesInTheFile, FindAProgramByItsNameInAnyCaseAndChangeOne) {
  ProgramRules rules = ProgramRules::FromStored(
      L"ｍｅｍｏ.exe", {{L"éncoder.exe", L"high,auto"}, {L"кодер.exe", L"auto,low"}, {L"인코더.exe", L"realtime,free"}});
  for (const wchar_t* found : {L"C:\\x\\ÉNCODER.EXE", L"КОДЕР.EXE", L"ＭＥＭＯ.EXE", L"인코더.EXE"})
    EXPECT_NE(rules.Find(found), nullptr) << found;
  for (const wchar_t* other : {L"encoder.exe", L"кодер.ex", L"memo.exe"}) EXPECT_EQ(rules.Find(other), nullptr) << other;
  EXPECT_TRUE(rules.AnyKeptLow());

  EXPECT_FALSE(rules.Set(L"a=b.exe", FrontChoice::High, BehindChoice::Auto)) << "no [Rules] key can hold it";
  EXPECT_TRUE(rules.Set(L"a=b.exe", FrontChoice::Off, BehindChoice::Auto)) << "Exclude can";
  EXPECT_TRUE(rules.Set(L"인코더.EXE", FrontChoice::Auto, BehindChoice::Auto));
  EXPECT_EQ(rules.LineOf(L"인코더.exe"), std::nullopt) << "back to the defaults: kept, with no line";
  EXPECT_TRUE(rules.Remove(L"КОДЕР.exe"));
  EXPECT_FALSE(rules.Remove(L"кодер.exe"));
  EXPECT_EQ(rules.Find(L"кодер.exe"), nullptr);
  EXPECT_FALSE(rules.AnyKeptLow());
  EXPECT_EQ(rules.LineOf(L"ÉNCODER.exe"), L"high,auto");
  EXPECT_EQ(rules.LineOf(L"a=b.exe"), std::nullopt);
  EXPECT_EQ(rules.Excluded().Stored(), L"ｍｅｍｏ.exe|a=b.exe");
  EXPECT_EQ(rules.All().size(), 4u);
}

}  // namespace
}  // namespace kestrune
