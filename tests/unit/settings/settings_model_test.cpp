// The settings model: each kind's reading and writing by the stored values' rules, the exclusion
// list near the end of its buffer and in the file's two forms, an edit of the rules per program.
#include "settings/settings_model.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_code_page.h"
#include "fakes/fake_profile.h"

namespace kestrune {
namespace {

struct ModelRig {
  testing::FakeProfileStore store;
  testing::FakeCodePage codePage;
  SettingsFile file{store};
  SettingsModel model{file, codePage};
  // The programs left alone in front, as the file holds them now.
  std::wstring Excluded() { return std::get<RuleSet>(model.Read(Setting::Rules).value).rules.Excluded().Stored(); }
};

// Rules that leave these programs alone in front.
RuleSet LeftAlone(std::wstring_view names) { return {ProgramRules::FromStored(names, {}), {}}; }

// Every flag reads its key as a flag and stores its value as "1" or "0".
TEST(SettingsModel, FlagsAreReadAsNumbersAndStoredAsOneOrZero) {
  for (const SettingRow& row : kSettingRows) {
    if (row.kind != SettingKind::Flag) continue;
    ModelRig rig;
    SCOPED_TRACE(std::string(row.key));
    EXPECT_EQ(rig.model.Read(row.setting).value, SettingValue(false));  // missing
    rig.store.Set(row.section, row.key, " 1.0 ");
    EXPECT_EQ(rig.model.Read(row.setting).value, SettingValue(true));
    rig.store.Set(row.section, row.key, "2");
    EXPECT_EQ(rig.model.Read(row.setting).value, SettingValue(false));

    rig.store.writeLog.clear();
    rig.model.Store(row.setting, false);
    rig.model.Store(row.setting, true);
    const std::string place = std::string(row.section) + "." + std::string(row.key);
    EXPECT_EQ(rig.store.writeLog, (std::vector<std::string>{place + "=0", place + "=1"}));
    EXPECT_TRUE(rig.model.Flag(row.setting));
  }
}

TEST(SettingsModel, SpeedAndRecordCountAreReadAndStoredByTheirRules) {
  ModelRig rig;
  EXPECT_EQ(rig.model.Read(Setting::Speed).value, SettingValue(SpeedLevel::Extreme));  // missing
  EXPECT_EQ(rig.model.Read(Setting::RecordCount).value, SettingValue(50));
  rig.store.Set("Speed", "SpeedLevel", " 1 ");
  rig.store.Set("Record", "RecordCount", "100.0");
  EXPECT_EQ(rig.model.Read(Setting::Speed).value, SettingValue(SpeedLevel::Normal));
  EXPECT_EQ(rig.model.Read(Setting::RecordCount).value, SettingValue(100));

  rig.store.writeLog.clear();
  rig.model.Store(Setting::Speed, SpeedLevel::Normal);
  rig.model.Store(Setting::Speed, SpeedLevel::Extreme);
  rig.model.Store(Setting::RecordCount, 300);
  EXPECT_EQ(rig.store.writeLog,
            (std::vector<std::string>{"Speed.SpeedLevel=1", "Speed.SpeedLevel=2", "Record.RecordCount=300"}));
}

// The model holds what it was given; a read looks at the file now and changes nothing. A setting
// without a value reads by its kind as off, the unknown level, 0, automatic or no rules.
TEST(SettingsModel, HoldsItsValuesApartFromTheFile) {
  ModelRig rig;
  EXPECT_FALSE(rig.model.Flag(Setting::AlwaysTop));
  EXPECT_EQ(rig.model.Speed(), SpeedLevel::Unknown);
  EXPECT_EQ(rig.model.RecordCount(), 0);
  EXPECT_EQ(rig.model.Language(), LanguageChoice::Auto);
  EXPECT_TRUE(rig.model.Rules().Empty());
  rig.model.Assign(Setting::AlwaysTop, true);
  rig.store.Set("Normal", "AlwaysTop", "0");
  EXPECT_EQ(rig.model.Read(Setting::AlwaysTop).value, SettingValue(false));
  EXPECT_TRUE(rig.model.Flag(Setting::AlwaysTop));
  rig.model.Assign(Setting::AlwaysTop, false);
  EXPECT_FALSE(rig.model.Flag(Setting::AlwaysTop));
  EXPECT_TRUE(rig.store.writeLog.empty());
  // A failed write leaves the value held.
  rig.store.failWrites = true;
  EXPECT_FALSE(rig.model.Store(Setting::AlwaysTop, true));
  EXPECT_TRUE(rig.model.Flag(Setting::AlwaysTop));
}

// The exclusion list read near the end of its 8 KB buffer. A value that filled it (to within the
// two bytes a double-byte character left out takes) may end in a cut name: that entry is dropped,
// never kept as a name, and the value is marked cut so that it is not written back.
struct ListRead {
  const char* name;
  std::string stored;
  std::wstring text;
  bool cut;
};

class ExcludeRead : public ::testing::TestWithParam<ListRead> {};

TEST_P(ExcludeRead, DropsTheLastEntryOfAFilledBuffer) {
  ModelRig rig;
  rig.store.Set("Advanced", "Exclude", GetParam().stored);
  const StoredValue list = rig.model.Read(Setting::Rules);
  EXPECT_EQ(std::get<RuleSet>(list.value).rules.Excluded().Stored(), GetParam().text);
  EXPECT_EQ(!list.whole, GetParam().cut);
  EXPECT_EQ(rig.store.lastBufferBytes, 8192u);
}

const std::string kAs(8180, 'a');

INSTANTIATE_TEST_SUITE_P(
    Table, ExcludeRead,
    ::testing::Values(ListRead{"Short", "a.exe|b.exe", L"a.exe|b.exe", false},
                      ListRead{"AtTheLimit", kAs + "|b.exe|cc", std::wstring(kAs.begin(), kAs.end()) + L"|b.exe|cc", false},
                      // 8191 bytes come back: "|notepad.e" of "|notepad.exe".
                      ListRead{"CutInAName", kAs + "|notepad.exe|calc.exe", std::wstring(kAs.begin(), kAs.end()), true},
                      ListRead{"WithinTwoBytesOfTheEnd", kAs + "|bbbbb.exe", std::wstring(kAs.begin(), kAs.end()), true},
                      ListRead{"OneNameOnly", std::string(9000, 'n'), L"", true},
                      // The trail byte 0x7C of a double-byte character is no separator.
                      ListRead{"TrailByteLikeTheBar", kAs + "|x\x81\x7C" + std::string(20, 'z'),
                               std::wstring(kAs.begin(), kAs.end()), true}),
    [](const auto& p) { return std::string(p.param.name); });

// Whether a list is short enough to read back whole: counted in the file's bytes.
TEST(ExcludeFits, CountsTheBytesTheFileHolds) {
  ModelRig rig;
  const wchar_t doubleByte = rig.codePage.ToWide("\x82\xA0").at(0);
  EXPECT_TRUE(rig.model.NamesFit(std::wstring(8189, L'a')));
  EXPECT_FALSE(rig.model.NamesFit(std::wstring(8190, L'a')));
  EXPECT_TRUE(rig.model.NamesFit(L"a" + std::wstring(4094, doubleByte)));  // 8189 bytes
  EXPECT_FALSE(rig.model.NamesFit(std::wstring(4095, doubleByte)));        // 8190 bytes
}

// The list in the file's two forms. While the code page holds every name it is written as bytes and
// the file keeps its form; the first name outside it turns the file into UTF-16, from which the list
// reads back whole, with the same bound counted in characters.
TEST(ExcludeForms, TheFileTurnsIntoUtf16OnlyForANameTheCodePageCannotHold) {
  ModelRig rig;
  const std::wstring doubleByte = rig.codePage.ToWide("\x82\xA0");
  rig.model.Store(Setting::Rules, LeftAlone(L"a.exe|" + doubleByte + L".exe"));
  EXPECT_FALSE(rig.store.unicode);
  EXPECT_EQ(rig.store.Get("Advanced", "Exclude"), "a.exe|\x82\xA0.exe");
  EXPECT_EQ(rig.Excluded(), L"a.exe|" + doubleByte + L".exe");

  rig.model.Store(Setting::Rules, LeftAlone(L"a.exe|\uAC00\uB098.exe"));
  EXPECT_TRUE(rig.store.unicode);
  EXPECT_EQ(rig.Excluded(), L"a.exe|\uAC00\uB098.exe");
  EXPECT_EQ(rig.store.lastBufferBytes, 8192u);
  // A list the code page holds again is still written into the file's UTF-16 form.
  rig.model.Store(Setting::Rules, LeftAlone(L"a.exe"));
  EXPECT_EQ(rig.Excluded(), L"a.exe");

  const std::wstring hangul(8180, L'\uAC00');
  rig.store.WriteUnicode("Advanced", L"Exclude", hangul + L"|b.exe|notepad.exe");  // 8191 characters read
  const StoredValue cut = rig.model.Read(Setting::Rules);
  EXPECT_FALSE(cut.whole);
  EXPECT_EQ(std::get<RuleSet>(cut.value).rules.Excluded().Stored(), hangul + L"|b.exe");
}

// An edit of one program's rule writes that program's lines alone, and only where they changed: a
// word a later version added to another line stays. In the code page while it holds the name and the
// words, as the other keys; a name outside it turns the file into UTF-16 as the exclusion list does.
TEST(RuleLines, AnEditWritesOnlyItsProgramsLinesInTheFormTheirNameNeeds) {
  ModelRig rig;
  rig.store.codePage = &rig.codePage;
  const std::wstring doubleByte = rig.codePage.ToWide("\x82\xA0");
  const std::wstring hangul = L"\uC778\uCF54\uB354.exe";
  rig.store.Set("Rules", "kept.exe", "auto,low,later");
  rig.model.Assign(Setting::Rules, rig.model.Read(Setting::Rules).value);
  EXPECT_EQ(rig.model.SetRule(doubleByte + L".exe", FrontChoice::High, BehindChoice::Free), RuleEdit::Stored);
  EXPECT_FALSE(rig.store.unicode);
  EXPECT_EQ(rig.store.Get("Rules", "\x82\xA0.exe"), "high,free");
  EXPECT_EQ(rig.model.SetRule(hangul, FrontChoice::Auto, BehindChoice::Low), RuleEdit::Stored);
  EXPECT_TRUE(rig.store.unicode);
  rig.store.writeLog.clear();
  EXPECT_EQ(rig.model.SetRule(hangul, FrontChoice::Auto, BehindChoice::Low), RuleEdit::Stored);
  EXPECT_EQ(rig.model.RemoveRule(doubleByte + L".exe"), RuleEdit::Stored);
  EXPECT_EQ(rig.model.RemoveRule(doubleByte + L".exe"), RuleEdit::Refused);
  EXPECT_EQ(rig.store.writeLog.size(), 1u) << "the one line removed";
  EXPECT_FALSE(rig.store.Get("Rules", "\x82\xA0.exe"));
  EXPECT_EQ(std::get<RuleSet>(rig.model.Read(Setting::Rules).value).lines,
            (std::vector<ProfileEntry>{{L"kept.exe", L"auto,low,later"}, {hangul, L"auto,low"}}));
  EXPECT_EQ(rig.model.Value(Setting::Rules), rig.model.Read(Setting::Rules).value) << "the model holds what the file does";
}

}  // namespace
}  // namespace kestrune
