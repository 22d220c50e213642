#include "settings/settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fakes/fake_code_page.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"

namespace kestrune {
namespace {

constexpr const wchar_t* kRunValue = L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Kestrune_CN";
constexpr const wchar_t* kUserRunValue = L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Kestrune_CN";

struct SettingsRig {
  testing::FakeProfileStore store;
  testing::FakeRegistry registry;
  testing::FakeCodePage codePage;
  SettingsFile file{store};
  AutostartValue autostart{registry, L"C:\\Tools\\kestrune.exe"};
  Settings settings{file, autostart, codePage};
};

// The five flags: each reads its own key as a flag, and stores a check box's state as "1" or "0".
struct FlagSetting {
  const char* key;
  Setting setting;
  void (*set)(Settings&, bool);
};

class Flag : public ::testing::TestWithParam<FlagSetting> {};

TEST_P(Flag, ReadsItsKeyAsAFlagAndStoresTheState) {
  const FlagSetting& f = GetParam();
  SettingsRig rig;
  EXPECT_FALSE(rig.settings.Flag(f.setting));  // missing
  rig.store.Set("Normal", "AutoRun", "1");
  rig.store.Set("Normal", "AutoMin", "1");
  rig.store.Set("Normal", "EnableSpeed", "1");
  rig.store.Set("Normal", "AlwaysTop", "1");
  rig.store.Set("Record", "EnableRecord", "1");
  EXPECT_TRUE(rig.settings.Flag(f.setting));
  EXPECT_EQ(rig.store.readLog.back().substr(rig.store.readLog.back().find('.') + 1), f.key);

  rig.store.writeLog.clear();
  f.set(rig.settings, false);
  f.set(rig.settings, true);
  const std::string section = std::string(f.key) == "EnableRecord" ? "Record" : "Normal";
  EXPECT_EQ(rig.store.writeLog, (std::vector<std::string>{section + "." + f.key + "=0", section + "." + f.key + "=1"}));
  // Only AutoRun touches the Run key.
  EXPECT_EQ(rig.registry.creates > 0, std::string(f.key) == "AutoRun");
}

INSTANTIATE_TEST_SUITE_P(
    All, Flag,
    ::testing::Values(
        FlagSetting{"AutoRun", Setting::AutoRun, [](Settings& s, bool on) { s.SetAutoRun(on); }},
        FlagSetting{"AutoMin", Setting::AutoMin, [](Settings& s, bool on) { s.SetFlag(Setting::AutoMin, on); }},
        FlagSetting{"EnableRecord", Setting::Recording, [](Settings& s, bool on) { s.SetFlag(Setting::Recording, on); }},
        FlagSetting{"EnableSpeed", Setting::Acceleration,
                    [](Settings& s, bool on) { s.SetFlag(Setting::Acceleration, on); }},
        FlagSetting{"AlwaysTop", Setting::AlwaysTop, [](Settings& s, bool on) { s.SetFlag(Setting::AlwaysTop, on); }}),
    [](const auto& p) { return std::string(p.param.key); });

TEST(Settings, SpeedAndRecordCountAreReadAndStoredByTheirRules) {
  SettingsRig rig;
  EXPECT_EQ(rig.settings.Speed(), SpeedLevel::Extreme);  // missing
  EXPECT_EQ(rig.settings.RecordCount(), L"50");
  rig.store.Set("Speed", "SpeedLevel", " 1 ");
  rig.store.Set("Record", "RecordCount", "100.0");
  EXPECT_EQ(rig.settings.Speed(), SpeedLevel::Normal);
  EXPECT_EQ(rig.settings.RecordCount(), L"100");

  rig.store.writeLog.clear();
  rig.settings.SetSpeed(SpeedLevel::Normal);
  rig.settings.SetSpeed(SpeedLevel::Extreme);
  rig.settings.SetRecordCount(L"300");
  EXPECT_EQ(rig.store.writeLog,
            (std::vector<std::string>{"Speed.SpeedLevel=1", "Speed.SpeedLevel=2", "Record.RecordCount=300"}));
}

TEST(Settings, AlwaysTopReadsTheFileAgainEachTime) {
  SettingsRig rig;
  EXPECT_FALSE(rig.settings.Flag(Setting::AlwaysTop));
  rig.store.Set("Normal", "AlwaysTop", " 1 ");
  const int reads = rig.store.reads;
  EXPECT_TRUE(rig.settings.Flag(Setting::AlwaysTop));
  EXPECT_EQ(rig.store.reads, reads + 1);
  rig.store.Set("Normal", "AlwaysTop", "2");
  EXPECT_FALSE(rig.settings.Flag(Setting::AlwaysTop));
}

TEST(Settings, AutoRunAddsOrRemovesTheRunValueBeforeStoringTheFlag) {
  SettingsRig rig;
  rig.store.onWrite = [&](const std::string&) { EXPECT_EQ(rig.registry.values.count(kRunValue), 1u); };
  rig.settings.SetAutoRun(true);
  EXPECT_EQ(rig.registry.values[kRunValue], L"\"C:\\Tools\\kestrune.exe\"");
  EXPECT_EQ(*rig.store.Get("Normal", "AutoRun"), "1");

  rig.store.onWrite = [&](const std::string&) { EXPECT_EQ(rig.registry.values.count(kRunValue), 0u); };
  rig.settings.SetAutoRun(false);
  EXPECT_EQ(*rig.store.Get("Normal", "AutoRun"), "0");
  EXPECT_TRUE(rig.registry.open.empty());
  EXPECT_EQ(rig.registry.badCloses, 0);
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
  SettingsRig rig;
  rig.store.Set("Advanced", "Exclude", GetParam().stored);
  const Settings::StoredList list = rig.settings.Exclude();
  EXPECT_EQ(list.text, GetParam().text);
  EXPECT_EQ(list.cut, GetParam().cut);
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
  SettingsRig rig;
  const wchar_t doubleByte = rig.codePage.ToWide("\x82\xA0").at(0);
  EXPECT_TRUE(rig.settings.ExcludeFits(std::wstring(8189, L'a')));
  EXPECT_FALSE(rig.settings.ExcludeFits(std::wstring(8190, L'a')));
  EXPECT_TRUE(rig.settings.ExcludeFits(L"a" + std::wstring(4094, doubleByte)));  // 8189 bytes
  EXPECT_FALSE(rig.settings.ExcludeFits(std::wstring(4095, doubleByte)));        // 8190 bytes
}

// The list in the file's two forms. While the code page holds every name it is written as bytes and
// the file keeps its form; the first name outside it turns the file into UTF-16, from which the list
// reads back whole, with the same bound counted in characters.
TEST(ExcludeForms, TheFileTurnsIntoUtf16OnlyForANameTheCodePageCannotHold) {
  SettingsRig rig;
  const std::wstring doubleByte = rig.codePage.ToWide("\x82\xA0");
  rig.settings.SetExclude(L"a.exe|" + doubleByte + L".exe");
  EXPECT_FALSE(rig.store.unicode);
  EXPECT_EQ(rig.store.Get("Advanced", "Exclude"), "a.exe|\x82\xA0.exe");
  EXPECT_EQ(rig.settings.Exclude().text, L"a.exe|" + doubleByte + L".exe");

  rig.settings.SetExclude(L"a.exe|\uAC00\uB098.exe");
  EXPECT_TRUE(rig.store.unicode);
  EXPECT_EQ(rig.settings.Exclude().text, L"a.exe|\uAC00\uB098.exe");
  EXPECT_EQ(rig.store.lastBufferBytes, 8192u);
  // A list the code page holds again is still written into the file's UTF-16 form.
  rig.settings.SetExclude(L"a.exe");
  EXPECT_EQ(rig.settings.Exclude().text, L"a.exe");

  const std::wstring hangul(8180, L'\uAC00');
  rig.store.WriteUnicode("Advanced", L"Exclude", hangul + L"|b.exe|notepad.exe");  // 8191 characters read
  const Settings::StoredList cut = rig.settings.Exclude();
  EXPECT_TRUE(cut.cut);
  EXPECT_EQ(cut.text, hangul + L"|b.exe");
}

// The [Rules] lines, one program at a time: in the code page while it holds the name and the words,
// as the other keys; a name outside it turns the file into UTF-16 as the exclusion list does.
TEST(RuleLines, TakeTheFormTheirNameNeedsAndGoWhenRemoved) {
  SettingsRig rig;
  rig.store.codePage = &rig.codePage;
  const std::wstring doubleByte = rig.codePage.ToWide("\x82\xA0");
  rig.settings.SetRuleLine(doubleByte + L".exe", L"high,free");
  EXPECT_FALSE(rig.store.unicode);
  EXPECT_EQ(rig.store.Get("Rules", "\x82\xA0.exe"), "high,free");
  rig.settings.SetRuleLine(L"\uC778\uCF54\uB354.exe", L"auto,low");
  EXPECT_TRUE(rig.store.unicode);
  rig.settings.RemoveRuleLine(doubleByte + L".exe");
  EXPECT_EQ(rig.settings.RuleLines(), (std::vector<ProfileEntry>{{L"\uC778\uCF54\uB354.exe", L"auto,low"}}));
}

// Every step of autostart failed in turn: each goes on silently and closes what it opened, and
// the setting is still written after the registry steps. AutoRun is stored on only while a Run
// value names the program. (Which key takes the value is the autostart value's own table.)
struct AutoStartFailure {
  const char* name;
  std::function<void(testing::FakeRegistry&, testing::FakeProfileStore&)> fail;
  bool check;                // the check box is checked (true) or unchecked
  bool machineAfter;         // a machine-wide Run value exists afterwards
  bool userAfter;            // the user's Run value exists afterwards
  bool written;
  const char* storedAfter;   // AutoRun in the file afterwards, nullptr when not there
};

class AutoStartStepFailure : public ::testing::TestWithParam<AutoStartFailure> {};

TEST_P(AutoStartStepFailure, GoesOnAndStoresWhatWindowsWillDo) {
  const AutoStartFailure& c = GetParam();
  SettingsRig rig;
  rig.registry.values[kRunValue] = L"\"D:\\old\\kestrune.exe\"";
  c.fail(rig.registry, rig.store);

  const AutostartResult result = rig.settings.SetAutoRun(c.check);

  EXPECT_EQ(rig.registry.values.count(kRunValue), c.machineAfter ? 1u : 0u);
  EXPECT_EQ(rig.registry.values.count(kUserRunValue), c.userAfter ? 1u : 0u);
  EXPECT_EQ(result.written, c.written);
  EXPECT_TRUE(rig.registry.open.empty()) << "Run key left open";
  EXPECT_EQ(rig.registry.badCloses, 0);
  EXPECT_EQ(rig.store.writes, 1);
  const auto stored = rig.store.Get("Normal", "AutoRun");
  if (c.storedAfter) {
    EXPECT_EQ(stored, c.storedAfter);
  } else {
    EXPECT_FALSE(stored.has_value());
  }
}

void NoFailure(testing::FakeRegistry&, testing::FakeProfileStore&) {}
void FailCreate(testing::FakeRegistry& r, testing::FakeProfileStore&) { r.failCreate = true; }
void FailSet(testing::FakeRegistry& r, testing::FakeProfileStore&) { r.failSet = true; }
void FailDelete(testing::FakeRegistry& r, testing::FakeProfileStore&) { r.failDelete = true; }
void FailWrite(testing::FakeRegistry&, testing::FakeProfileStore& s) { s.failWrites = true; }
void FailCreateAndWrite(testing::FakeRegistry& r, testing::FakeProfileStore& s) {
  r.failCreate = true;
  s.failWrites = true;
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, AutoStartStepFailure,
    ::testing::Values(AutoStartFailure{"AddNothingFails", NoFailure, true, true, false, true, "1"},
                      // Neither key opens: no Run value, so the setting is stored off.
                      AutoStartFailure{"AddCreateKey", FailCreate, true, true, false, false, "0"},
                      // An older value that cannot be replaced is removed rather than left naming another copy.
                      AutoStartFailure{"AddSetValue", FailSet, true, false, false, false, "0"},
                      AutoStartFailure{"AddProfileWrite", FailWrite, true, true, false, true, nullptr},
                      AutoStartFailure{"AddCreateKeyAndProfileWrite", FailCreateAndWrite, true, true, false, false,
                                       nullptr},
                      AutoStartFailure{"RemoveNothingFails", NoFailure, false, false, false, false, "0"},
                      AutoStartFailure{"RemoveCreateKey", FailCreate, false, true, false, false, "0"},
                      AutoStartFailure{"RemoveDeleteValue", FailDelete, false, true, false, false, "0"},
                      AutoStartFailure{"RemoveProfileWrite", FailWrite, false, false, false, false, nullptr}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace kestrune
