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
  bool (Settings::*get)();
  void (Settings::*set)(bool);
};

class Flag : public ::testing::TestWithParam<FlagSetting> {};

TEST_P(Flag, ReadsItsKeyAsAFlagAndStoresTheState) {
  const FlagSetting& f = GetParam();
  SettingsRig rig;
  EXPECT_FALSE((rig.settings.*f.get)());  // missing
  rig.store.Set("Normal", "AutoRun", "1");
  rig.store.Set("Normal", "AutoMin", "1");
  rig.store.Set("Normal", "EnableSpeed", "1");
  rig.store.Set("Normal", "AlwaysTop", "1");
  rig.store.Set("Record", "EnableRecord", "1");
  EXPECT_TRUE((rig.settings.*f.get)());
  EXPECT_EQ(rig.store.readLog.back().substr(rig.store.readLog.back().find('.') + 1), f.key);

  rig.store.writeLog.clear();
  (rig.settings.*f.set)(false);
  (rig.settings.*f.set)(true);
  const std::string section = std::string(f.key) == "EnableRecord" ? "Record" : "Normal";
  EXPECT_EQ(rig.store.writeLog, (std::vector<std::string>{section + "." + f.key + "=0", section + "." + f.key + "=1"}));
  // Only AutoRun touches the Run key.
  EXPECT_EQ(rig.registry.creates, std::string(f.key) == "AutoRun" ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    All, Flag,
    ::testing::Values(FlagSetting{"AutoRun", &Settings::AutoRun, &Settings::SetAutoRun},
                      FlagSetting{"AutoMin", &Settings::AutoMin, &Settings::SetAutoMin},
                      FlagSetting{"EnableRecord", &Settings::EnableRecord, &Settings::SetEnableRecord},
                      FlagSetting{"EnableSpeed", &Settings::EnableSpeed, &Settings::SetEnableSpeed},
                      FlagSetting{"AlwaysTop", &Settings::AlwaysTop, &Settings::SetAlwaysTop}),
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
  EXPECT_FALSE(rig.settings.AlwaysTop());
  rig.store.Set("Normal", "AlwaysTop", " 1 ");
  const int reads = rig.store.reads;
  EXPECT_TRUE(rig.settings.AlwaysTop());
  EXPECT_EQ(rig.store.reads, reads + 1);
  rig.store.Set("Normal", "AlwaysTop", "2");
  EXPECT_FALSE(rig.settings.AlwaysTop());
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

// Every step of autostart failed in turn: each goes on silently, closes what it opened, and the
// setting is still written after the registry steps, whatever they did.
struct AutoStartFailure {
  const char* name;
  std::function<void(testing::FakeRegistry&, testing::FakeProfileStore&)> fail;
  bool check;                // the check box is checked (true) or unchecked
  bool valueAfter;           // the Run value exists afterwards
  int creates, sets, deletes, closes;
  const char* storedAfter;   // AutoRun in the file afterwards, nullptr when not there
};

class AutoStartStepFailure : public ::testing::TestWithParam<AutoStartFailure> {};

TEST_P(AutoStartStepFailure, GoesOnSilentlyAndClosesWhatItOpened) {
  const AutoStartFailure& c = GetParam();
  SettingsRig rig;
  rig.registry.values[kRunValue] = L"\"D:\\old\\kestrune.exe\"";
  c.fail(rig.registry, rig.store);

  rig.settings.SetAutoRun(c.check);

  EXPECT_EQ(rig.registry.values.count(kRunValue), c.valueAfter ? 1u : 0u);
  if (c.check && c.sets > 0 && !rig.registry.failSet) {
    EXPECT_EQ(rig.registry.values[kRunValue], L"\"C:\\Tools\\kestrune.exe\"");
  }
  EXPECT_EQ(rig.registry.creates, c.creates);
  EXPECT_EQ(rig.registry.sets, c.sets);
  EXPECT_EQ(rig.registry.deletes, c.deletes);
  EXPECT_EQ(rig.registry.closes, c.closes);
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
    ::testing::Values(AutoStartFailure{"AddNothingFails", NoFailure, true, true, 1, 1, 0, 1, "1"},
                      // Without administrator rights: no Run value, but the setting is stored.
                      AutoStartFailure{"AddCreateKey", FailCreate, true, true, 1, 0, 0, 0, "1"},
                      // An older value that cannot be replaced is removed rather than left naming another copy.
                      AutoStartFailure{"AddSetValue", FailSet, true, false, 1, 1, 1, 1, "1"},
                      AutoStartFailure{"AddProfileWrite", FailWrite, true, true, 1, 1, 0, 1, nullptr},
                      AutoStartFailure{"AddCreateKeyAndProfileWrite", FailCreateAndWrite, true, true, 1, 0, 0, 0,
                                       nullptr},
                      AutoStartFailure{"RemoveNothingFails", NoFailure, false, false, 1, 0, 1, 1, "0"},
                      AutoStartFailure{"RemoveCreateKey", FailCreate, false, true, 1, 0, 0, 0, "0"},
                      AutoStartFailure{"RemoveDeleteValue", FailDelete, false, true, 1, 0, 1, 1, "0"},
                      AutoStartFailure{"RemoveProfileWrite", FailWrite, false, false, 1, 0, 1, 1, nullptr}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace kestrune
