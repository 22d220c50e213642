// The settings' pages over the whole program: what a start reads and writes back, which reactions a
// loaded value runs, and what each change the user makes stores and does.
#include "app/settings_page.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "program_rig.h"

namespace kestrune {
namespace {

using testing::kRunValue;

// What a start writes back after the settings page's keys: the advanced page's, in their normal form.
const std::vector<std::string> kAdvancedWrites = testing::AdvancedDefaults();

std::vector<std::string> Then(std::vector<std::string> first, const std::vector<std::string>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

class SettingsPageTest : public ::testing::Test, protected testing::ProgramRig {
 protected:
  SettingsPage& page = program.Page();
  // The file as section.key -> value, for whole-file comparisons.
  std::map<std::string, std::string> File() const {
    std::map<std::string, std::string> file;
    for (const auto& e : store.entries) file[e.section + "." + e.key] = e.value;
    return file;
  }
};

TEST_F(SettingsPageTest, NoFileWritesBackTheChangedValuesInTheTablesOrder) {
  page.Load();

  // The lists are filled before anything is loaded into them.
  EXPECT_EQ(speed.ItemCount(), 2);
  EXPECT_EQ(speed.ItemText(0), L"普通加速");
  EXPECT_EQ(speed.ItemText(1), L"極限加速");
  ASSERT_EQ(recordCount.ItemCount(), 4);
  EXPECT_EQ(recordCount.ItemText(0), L"50");
  EXPECT_EQ(recordCount.ItemText(3), L"300");

  EXPECT_EQ(store.readLog, testing::EveryKey());
  EXPECT_EQ(store.writeLog, Then({"Speed.SpeedLevel=2", "Record.EnableRecord=0", "Record.RecordCount=50",
                                  "Normal.EnableSpeed=0", "Normal.AlwaysTop=0"},
                                 kAdvancedWrites));
  EXPECT_FALSE(autoRun.Checked() || autoMin.Checked() || recording.Checked() || acceleration.Checked() || alwaysTop.Checked());
  EXPECT_EQ(speed.Text(), L"極限加速");
  EXPECT_EQ(recordCount.Text(), L"50");
  EXPECT_EQ(topmostCalls, std::vector<bool>{false});  // once, after the load
  EXPECT_EQ(registry.creates, 0);  // AutoRun stayed off, so its reaction did not run
}

TEST_F(SettingsPageTest, OnlyRecordCountLeavesEverythingOffAndExtreme) {
  store.Set("Record", "RecordCount", "100");
  page.Load();

  EXPECT_FALSE(autoRun.Checked() || autoMin.Checked() || recording.Checked() || acceleration.Checked() || alwaysTop.Checked());
  EXPECT_EQ(speed.Text(), L"極限加速");
  EXPECT_EQ(recordCount.Text(), L"100");
  std::map<std::string, std::string> expected{{"Record.RecordCount", "100"},
                                              {"Speed.SpeedLevel", "2"},
                                              {"Record.EnableRecord", "0"},
                                              {"Normal.EnableSpeed", "0"},
                                              {"Normal.AlwaysTop", "0"}};
  for (const std::string& write : kAdvancedWrites) expected[write.substr(0, write.find('='))] = write.substr(write.find('=') + 1);
  EXPECT_EQ(File(), expected);
}

TEST_F(SettingsPageTest, AllOnRunsOnlyTheReactionsOfChangedSettings) {
  for (const char* key : {"AutoRun", "AutoMin", "EnableSpeed", "AlwaysTop"}) store.Set("Normal", key, "1");
  store.Set("Speed", "SpeedLevel", "1");
  store.Set("Record", "EnableRecord", "1");
  store.Set("Record", "RecordCount", "200");
  store.onWrite = [&](const std::string& key) {
    // The Run value is in place before AutoRun is stored.
    if (key == "AutoRun") {
      EXPECT_EQ(registry.values.count(kRunValue), 1u);
    }
  };
  page.Load();

  EXPECT_TRUE(autoRun.Checked() && autoMin.Checked() && recording.Checked() && acceleration.Checked() && alwaysTop.Checked());
  EXPECT_EQ(speed.Text(), L"普通加速");
  EXPECT_EQ(recordCount.Text(), L"200");
  // The settings designed on read on: not written back.
  EXPECT_EQ(store.writeLog, Then({"Normal.AutoRun=1", "Normal.AutoMin=1", "Speed.SpeedLevel=1", "Record.RecordCount=200"},
                                 kAdvancedWrites));
  EXPECT_EQ(topmostCalls, std::vector<bool>{true});
  EXPECT_EQ(registry.values[kRunValue], L"\"C:\\Tools\\kestrune.exe\"");
  EXPECT_TRUE(registry.open.empty());
}

TEST_F(SettingsPageTest, StoredValuesAreReadAsNumbers) {
  store.Set("Normal", "EnableSpeed", "  1  ");
  store.Set("Speed", "SpeedLevel", "3");
  store.Set("Record", "RecordCount", "100.0");
  store.Set("Normal", "AlwaysTop", "1.0");
  store.Set("Record", "EnableRecord", "on");
  page.Load();

  EXPECT_TRUE(acceleration.Checked());
  EXPECT_TRUE(alwaysTop.Checked());
  EXPECT_FALSE(recording.Checked());
  EXPECT_EQ(speed.Text(), L"極限加速");
  EXPECT_EQ(recordCount.Text(), L"100");
  const auto file = File();
  EXPECT_EQ(file.at("Speed.SpeedLevel"), "2");
  EXPECT_EQ(file.at("Record.RecordCount"), "100");
  EXPECT_EQ(file.at("Record.EnableRecord"), "0");
  EXPECT_EQ(file.at("Normal.EnableSpeed"), "  1  ");  // unchanged setting: not rewritten
  EXPECT_TRUE(program.Settings().Flag(Setting::AlwaysTop));  // and the model agrees with the check box
}

// RecordCount values that name no item must not break start-up: the first item is chosen and stored.
// (Which text names which maximum is the stored values' rule, tested there row by row.)
class RecordCountLoad : public SettingsPageTest, public ::testing::WithParamInterface<std::pair<const char*, const wchar_t*>> {};

TEST_P(RecordCountLoad, SelectsTheItemOrFallsBackAndStoresIt) {
  const auto& [stored, item] = GetParam();
  store.Set("Record", "RecordCount", stored);
  page.Load();
  EXPECT_EQ(recordCount.Text(), item) << stored;
  EXPECT_EQ(store.Get("Record", "RecordCount"), codePage.ToAnsi(item)) << stored;
}

INSTANTIATE_TEST_SUITE_P(Table, RecordCountLoad,
                         ::testing::Values(std::pair{"50", L"50"}, std::pair{"0300", L"300"}, std::pair{"", L"50"},
                                           std::pair{"75", L"50"}));

TEST_F(SettingsPageTest, LoadStartsFromTheModelWhateverTheControlsHeld) {
  // A toolkit that creates every box unchecked and a combo already selected.
  recording.SetChecked(false);
  acceleration.SetChecked(false);
  alwaysTop.SetChecked(false);
  autoRun.SetChecked(true);
  recordCount.SetSelectedIndex(0);
  page.Load();
  EXPECT_EQ(store.writeLog, Then({"Speed.SpeedLevel=2", "Record.EnableRecord=0", "Record.RecordCount=50",
                                  "Normal.EnableSpeed=0", "Normal.AlwaysTop=0"},
                                 kAdvancedWrites));
  EXPECT_EQ(registry.creates, 0);
  EXPECT_FALSE(autoRun.Checked());
}

TEST_F(SettingsPageTest, FailedWritesLeaveTheSettingsAtTheirNewValues) {
  store.Set("Normal", "AutoMin", "1");
  store.failWrites = true;
  page.Load();
  EXPECT_TRUE(autoMin.Checked());
  EXPECT_TRUE(program.Settings().Flag(Setting::AutoMin));
  EXPECT_EQ(recordCount.Text(), L"50");
  EXPECT_EQ(program.Settings().RecordCount(), 50);
  EXPECT_EQ(store.writeLog, Then({"Normal.AutoMin=1", "Speed.SpeedLevel=2", "Record.EnableRecord=0",
                                  "Record.RecordCount=50", "Normal.EnableSpeed=0", "Normal.AlwaysTop=0"},
                                 kAdvancedWrites));
  EXPECT_EQ(*store.Get("Normal", "AutoMin"), "1");
}

TEST_F(SettingsPageTest, AutoRunSetsTheRunValueAndStoresWhatWindowsWillDo) {
  Click(Setting::AutoRun);
  EXPECT_EQ(registry.values[kRunValue], L"\"C:\\Tools\\kestrune.exe\"");
  EXPECT_EQ(*store.Get("Normal", "AutoRun"), "1");

  EXPECT_TRUE(boxes.shown.empty());

  // Neither Run key may be written: unticking says that the machine-wide value stays, and ticking
  // says that nothing was registered and unticks the box again.
  registry.failCreate = true;
  Click(Setting::AutoRun);
  EXPECT_FALSE(autoRun.Checked());
  EXPECT_EQ(*store.Get("Normal", "AutoRun"), "0");
  EXPECT_EQ(registry.values.count(kRunValue), 1u);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, UiText(TextId::MachineAutostartLeft));
  registry.values.clear();
  Click(Setting::AutoRun);
  EXPECT_FALSE(autoRun.Checked());
  EXPECT_FALSE(program.Settings().Flag(Setting::AutoRun));
  EXPECT_EQ(*store.Get("Normal", "AutoRun"), "0");
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text, UiText(TextId::AutostartRefused));
  EXPECT_EQ(boxes.shown[1].title, L"Kestrune");
  EXPECT_EQ(boxes.shown[1].flags, 0x30u);
  EXPECT_TRUE(registry.open.empty());
}

// Settings that moved to the user's folder at this start: the user hears where, once, before the load.
TEST(SettingsPageMove, TheLoadTellsWhereTheSettingsNowLive) {
  for (const bool moved : {false, true}) {
    testing::ProgramRig rig(SettingsLocation{L"D:\\u", L"D:\\u\\kestrune.ini", moved});
    rig.store.onWrite = [&](const std::string&) { EXPECT_EQ(rig.boxes.shown.size(), moved ? 1u : 0u); };
    rig.program.Page().Load();
    ASSERT_EQ(rig.boxes.shown.size(), moved ? 1u : 0u);
    if (moved) {
      EXPECT_NE(rig.boxes.shown[0].text.find(L"D:\\u\\kestrune.ini"), std::wstring::npos);
    }
  }
}

// The window follows the box whatever the file does with the choice.
TEST_F(SettingsPageTest, AlwaysOnTopAppliesTheZOrderWhenTheFileRefusesTheChoice) {
  page.Load();
  store.writeLog.clear();
  topmostCalls.clear();
  Click(Setting::AlwaysTop);
  store.failWrites = true;
  Click(Setting::AlwaysTop);
  EXPECT_EQ(topmostCalls, (std::vector<bool>{true, false}));
  EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Normal.AlwaysTop=1", "Normal.AlwaysTop=0"}));
  EXPECT_EQ(store.Get("Normal", "AlwaysTop"), "1");
}

TEST_F(SettingsPageTest, EachChangeStoresItsValueAndTheSameChoiceAgainNothing) {
  page.Load();  // fills the lists
  store.writeLog.clear();
  topmostCalls.clear();
  Click(Setting::AutoMin);
  Click(Setting::Acceleration);
  Click(Setting::Recording);
  Click(Setting::Recording);
  Pick(Setting::Speed, 0);
  Pick(Setting::RecordCount, 3);
  Pick(Setting::RecordCount, 3);  // chosen again: no change
  Pick(Setting::Speed, 1);
  Pick(Setting::Speed, -1);  // no item: no change
  EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Normal.AutoMin=1", "Normal.EnableSpeed=1", "Record.EnableRecord=1",
                                                      "Record.EnableRecord=0", "Speed.SpeedLevel=1",
                                                      "Record.RecordCount=300", "Speed.SpeedLevel=2"}));
  EXPECT_EQ(program.Settings().Speed(), SpeedLevel::Extreme);
  EXPECT_EQ(program.Settings().RecordCount(), 300);
  EXPECT_EQ(registry.creates, 0);
  EXPECT_TRUE(topmostCalls.empty());
}

// The pick-only lists: each item names one value, in the order the list shows them, and the value
// finds its item again; no item names none.
TEST(SettingItems, EachItemNamesOneValue) {
  struct Case {
    SettingKind kind;
    std::vector<std::wstring_view> texts;
    std::vector<SettingValue> values;
  };
  const Case cases[] = {
      {SettingKind::Speed, {L"普通加速", L"極限加速"}, {SpeedLevel::Normal, SpeedLevel::Extreme}},
      {SettingKind::RecordCount, {L"50", L"100", L"200", L"300"}, {50, 100, 200, 300}},
      {SettingKind::Language, {L"自動", L"日本語", L"英語"},
       {LanguageChoice::Auto, LanguageChoice::Japanese, LanguageChoice::English}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(ItemCount(c.kind), static_cast<int>(c.texts.size()));
    for (int i = 0; i < ItemCount(c.kind); ++i) {
      EXPECT_EQ(ItemText(c.kind, i), c.texts[static_cast<std::size_t>(i)]);
      EXPECT_EQ(ItemValue(c.kind, i), c.values[static_cast<std::size_t>(i)]);
      EXPECT_EQ(ItemIndex(c.kind, c.values[static_cast<std::size_t>(i)]), i);
    }
    for (const int outside : {-1, ItemCount(c.kind)}) {
      EXPECT_EQ(ItemValue(c.kind, outside), SettingValue());
      EXPECT_EQ(ItemText(c.kind, outside), L"");
    }
    EXPECT_EQ(ItemIndex(c.kind, SettingValue()), -1);
  }
  EXPECT_EQ(ItemIndex(SettingKind::Speed, SpeedLevel::Unknown), -1);
  EXPECT_EQ(ItemCount(SettingKind::Flag), 0);
}

// The advanced page's language list: the stored choice shown at start-up without a write, a change
// stored at once with the notice that it shows from the next start.
TEST(LanguageSetting, ShowsTheStoredChoiceAndStoresAChangeWithItsNotice) {
  testing::ProgramRig fresh;
  fresh.program.Page().Load();
  EXPECT_EQ(fresh.Combo(Setting::Language).Text(), L"自動") << "a file without the setting";
  EXPECT_FALSE(fresh.store.Get("Advanced", "Language").has_value()) << "loading writes nothing";

  testing::ProgramRig rig;
  rig.store.Set("Advanced", "Language", "en");
  rig.program.Page().Load();
  ASSERT_EQ(rig.Combo(Setting::Language).ItemCount(), 3);
  EXPECT_EQ(rig.Combo(Setting::Language).Text(), L"英語");
  rig.store.writeLog.clear();

  rig.Pick(Setting::Language, 1);
  EXPECT_EQ(rig.store.Get("Advanced", "Language"), "ja");
  ASSERT_EQ(rig.boxes.shown.size(), 1u);
  EXPECT_EQ(rig.boxes.shown[0].text, UiText(TextId::LanguageNote));
  // The same choice again is no change: no write, no second notice.
  rig.Pick(Setting::Language, 1);
  EXPECT_EQ(rig.store.writeLog.size(), 1u);
  EXPECT_EQ(rig.boxes.shown.size(), 1u);
}

}  // namespace
}  // namespace kestrune
