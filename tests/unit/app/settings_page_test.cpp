#include "app/settings_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "settings_page_rig.h"

namespace kestrune {
namespace {

using testing::kRunValue;

class SettingsPageTest : public ::testing::Test, protected testing::SettingsPageRig {
 protected:
  // The file as section.key -> value, for whole-file comparisons.
  std::map<std::string, std::string> File() const {
    std::map<std::string, std::string> file;
    for (const auto& e : store.entries) file[e.section + "." + e.key] = e.value;
    return file;
  }
};

TEST_F(SettingsPageTest, NoFileWritesBackTheHandlersValuesInLoadOrder) {
  page.Load();

  // The lists are filled before anything is loaded into them.
  EXPECT_EQ(speed.ItemCount(), 2);
  EXPECT_EQ(speed.ItemText(0), L"普通加速");
  EXPECT_EQ(speed.ItemText(1), L"極限加速");
  ASSERT_EQ(count.ItemCount(), 4);
  EXPECT_EQ(count.ItemText(0), L"50");
  EXPECT_EQ(count.ItemText(3), L"300");

  EXPECT_EQ(store.readLog, (std::vector<std::string>{"Normal.AutoRun", "Normal.AutoMin", "Speed.SpeedLevel",
                                                     "Record.EnableRecord", "Record.RecordCount",
                                                     "Normal.EnableSpeed", "Normal.AlwaysTop"}));
  EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Speed.SpeedLevel=2", "Record.EnableRecord=0", "Record.RecordCount=50",
                                                      "Normal.EnableSpeed=0", "Normal.AlwaysTop=0"}));
  EXPECT_FALSE(autoRun.Checked() || autoMin.Checked() || recording.Checked() || acceleration.Checked() || alwaysTop.Checked());
  EXPECT_EQ(speed.Text(), L"極限加速");
  EXPECT_EQ(count.Text(), L"50");
  EXPECT_EQ(topmostCalls, std::vector<bool>{false});
  EXPECT_EQ(registry.creates, 0);  // AutoRun stayed unchecked, so its handler did not run
}

TEST_F(SettingsPageTest, OnlyRecordCountLeavesEverythingOffAndExtreme) {
  store.Set("Record", "RecordCount", "100");
  page.Load();

  EXPECT_FALSE(autoRun.Checked() || autoMin.Checked() || recording.Checked() || acceleration.Checked() || alwaysTop.Checked());
  EXPECT_EQ(speed.Text(), L"極限加速");
  EXPECT_EQ(count.Text(), L"100");
  EXPECT_EQ(File(), (std::map<std::string, std::string>{{"Record.RecordCount", "100"},
                                                         {"Speed.SpeedLevel", "2"},
                                                         {"Record.EnableRecord", "0"},
                                                         {"Normal.EnableSpeed", "0"},
                                                         {"Normal.AlwaysTop", "0"}}));
}

TEST_F(SettingsPageTest, AllOnRunsOnlyTheHandlersOfChangedControls) {
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
  EXPECT_EQ(count.Text(), L"200");
  // The checked-by-design boxes did not change, so nothing ran for them.
  EXPECT_EQ(store.writeLog,
            (std::vector<std::string>{"Normal.AutoRun=1", "Normal.AutoMin=1", "Speed.SpeedLevel=1", "Record.RecordCount=200"}));
  EXPECT_TRUE(topmostCalls.empty());
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
  EXPECT_EQ(count.Text(), L"100");
  const auto file = File();
  EXPECT_EQ(file.at("Speed.SpeedLevel"), "2");
  EXPECT_EQ(file.at("Record.RecordCount"), "100");
  EXPECT_EQ(file.at("Record.EnableRecord"), "0");
  EXPECT_EQ(file.at("Normal.EnableSpeed"), "  1  ");  // unchanged control: not rewritten
  EXPECT_TRUE(settings.Flag(Setting::AlwaysTop));                   // and the window agrees with the check box
}

// RecordCount values that name no item must not break start-up: the first item is chosen and stored.
// (Which text names which item is the settings' rule, tested there row by row.)
class RecordCountLoad : public SettingsPageTest, public ::testing::WithParamInterface<std::pair<const char*, const wchar_t*>> {};

TEST_P(RecordCountLoad, SelectsTheItemOrFallsBackAndStoresIt) {
  const auto& [stored, item] = GetParam();
  store.Set("Record", "RecordCount", stored);
  page.Load();
  EXPECT_EQ(count.Text(), item) << stored;
  EXPECT_EQ(store.Get("Record", "RecordCount"), codePage.ToAnsi(item)) << stored;
}

INSTANTIATE_TEST_SUITE_P(Table, RecordCountLoad,
                         ::testing::Values(std::pair{"50", L"50"}, std::pair{"0300", L"300"}, std::pair{"", L"50"},
                                           std::pair{"75", L"50"}));

TEST_F(SettingsPageTest, LoadStartsFromTheDesignedStatesWhateverTheControlsHeld) {
  // A toolkit that creates every box unchecked and a combo already selected.
  recording.SetChecked(false);
  acceleration.SetChecked(false);
  alwaysTop.SetChecked(false);
  autoRun.SetChecked(true);
  count.SetSelectedIndex(0);
  page.Load();
  EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Speed.SpeedLevel=2", "Record.EnableRecord=0", "Record.RecordCount=50",
                                                      "Normal.EnableSpeed=0", "Normal.AlwaysTop=0"}));
  EXPECT_EQ(registry.creates, 0);
}

TEST_F(SettingsPageTest, FailedWritesLeaveTheControlsInTheirNewStates) {
  store.Set("Normal", "AutoMin", "1");
  store.failWrites = true;
  page.Load();
  EXPECT_TRUE(autoMin.Checked());
  EXPECT_EQ(count.Text(), L"50");
  EXPECT_EQ(store.writes, 6);
  EXPECT_EQ(*store.Get("Normal", "AutoMin"), "1");
}

TEST_F(SettingsPageTest, CheckAutoRunClickSetsTheRunValueAndStoresTheBoxsState) {
  autoRun.SetChecked(true);
  page.OnCheckAutoRunClick();
  EXPECT_EQ(registry.values[kRunValue], L"\"C:\\Tools\\kestrune.exe\"");
  EXPECT_EQ(*store.Get("Normal", "AutoRun"), "1");

  EXPECT_TRUE(boxes.shown.empty());

  // Neither Run key may be written: unticking says that the machine-wide value stays, and ticking
  // says that nothing was registered and unticks the box again.
  registry.failCreate = true;
  autoRun.SetChecked(false);
  page.OnCheckAutoRunClick();
  EXPECT_FALSE(autoRun.Checked());
  EXPECT_EQ(*store.Get("Normal", "AutoRun"), "0");
  EXPECT_EQ(registry.values.count(kRunValue), 1u);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, UiText(TextId::MachineAutostartLeft));
  registry.values.clear();
  autoRun.SetChecked(true);
  page.OnCheckAutoRunClick();
  EXPECT_FALSE(autoRun.Checked());
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
    testing::SettingsPageRig rig;
    SettingsPage page(SettingsControls{rig.autoRun, rig.autoMin, rig.alwaysTop, rig.acceleration, rig.recording, rig.speed,
                                       rig.count},
                      rig.settings, rig.window, rig.boxes, SettingsLocation{L"D:\\u", L"D:\\u\\kestrune.ini", moved});
    rig.store.onWrite = [&](const std::string&) { EXPECT_EQ(rig.boxes.shown.size(), moved ? 1u : 0u); };
    page.Load();
    ASSERT_EQ(rig.boxes.shown.size(), moved ? 1u : 0u);
    if (moved) {
      EXPECT_NE(rig.boxes.shown[0].text.find(L"D:\\u\\kestrune.ini"), std::wstring::npos);
    }
  }
}

TEST_F(SettingsPageTest, CheckAlwaysTopAppliesTheZOrderBeforeStoring) {
  int writesWhenApplied = -1;
  window.onTopmost = [&] { writesWhenApplied = store.writes; };
  alwaysTop.SetChecked(true);
  page.OnCheckAlwaysTopClick();
  EXPECT_EQ(writesWhenApplied, 0);
  alwaysTop.SetChecked(false);
  page.OnCheckAlwaysTopClick();
  EXPECT_EQ(topmostCalls, (std::vector<bool>{true, false}));
  EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Normal.AlwaysTop=1", "Normal.AlwaysTop=0"}));
}

TEST_F(SettingsPageTest, OtherHandlersStoreTheirControlsValues) {
  page.Load();  // fills the lists
  store.writeLog.clear();
  topmostCalls.clear();
  autoMin.SetChecked(true);
  recording.SetChecked(false);
  acceleration.SetChecked(true);
  speed.SetSelectedIndex(0);
  count.SetSelectedIndex(3);
  page.OnCheckAutoMinClick();
  page.OnCheckRecordingClick();
  page.OnCheckAccelerationClick();
  page.OnComboSpeedClick();
  page.OnComboRecordCountClick();
  speed.SetSelectedIndex(1);
  page.OnComboSpeedClick();
  EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Normal.AutoMin=1", "Record.EnableRecord=0", "Normal.EnableSpeed=1",
                                                      "Speed.SpeedLevel=1", "Record.RecordCount=300", "Speed.SpeedLevel=2"}));
  EXPECT_EQ(registry.creates, 0);
  EXPECT_TRUE(topmostCalls.empty());
}

}  // namespace
}  // namespace kestrune
