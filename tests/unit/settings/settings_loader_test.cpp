#include "settings/settings_loader.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "fakes/fake_code_page.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"

namespace kestrune {
namespace {

using testing::FakeCheckBox;
using testing::FakeComboBox;

constexpr const wchar_t* kRunValue = L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Kestrune_CN";

// A store that lets a test look at the world at the moment of each write.
class ObservedStore : public testing::FakeProfileStore {
 public:
  bool Write(std::string_view section, std::string_view key, std::string_view value) override {
    if (onWrite) onWrite(std::string(key));
    return FakeProfileStore::Write(section, key, value);
  }
  std::function<void(const std::string&)> onWrite;
};

class SettingsLoaderTest : public ::testing::Test {
 protected:
  SettingsLoaderTest()
      : speed{L"普通加速", L"極限加速"},
        count{L"50", L"100", L"200", L"300"},
        config(store),
        autoRunModule(registry, L"C:\\Tools\\kestrune.exe"),
        loader(SettingsControls{autoRun, autoMin, speed, enableRecord, count, state, mostTop}, config, autoRunModule,
               codePage, [this](bool top) { topmostCalls.push_back(top); }) {}

  // The file as section.key -> value, for whole-file comparisons.
  std::map<std::string, std::string> File() const {
    std::map<std::string, std::string> file;
    for (const auto& e : store.entries) file[e.section + "." + e.key] = e.value;
    return file;
  }

  FakeCheckBox autoRun, autoMin, enableRecord, state, mostTop;
  FakeComboBox speed, count;
  ObservedStore store;
  testing::FakeRegistry registry;
  testing::FakeCodePage codePage;
  ModuleConfig config;
  ModuleAutoRun autoRunModule;
  std::vector<bool> topmostCalls;
  SettingsLoader loader;
};

TEST_F(SettingsLoaderTest, NoFileWritesBackTheHandlersValuesInLoadOrder) {
  loader.Load();

  EXPECT_EQ(store.readLog, (std::vector<std::string>{"Normal.AutoRun", "Normal.AutoMin", "Speed.SpeedLevel",
                                                     "Record.EnableRecord", "Record.RecordCount",
                                                     "Normal.EnableSpeed", "Normal.AlwaysTop"}));
  EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Speed.SpeedLevel=2", "Record.EnableRecord=0", "Record.RecordCount=50",
                                                      "Normal.EnableSpeed=0", "Normal.AlwaysTop=0"}));
  EXPECT_FALSE(autoRun.Checked() || autoMin.Checked() || enableRecord.Checked() || state.Checked() || mostTop.Checked());
  EXPECT_EQ(speed.Text(), L"極限加速");
  EXPECT_EQ(count.Text(), L"50");
  EXPECT_EQ(topmostCalls, std::vector<bool>{false});
  EXPECT_EQ(registry.creates, 0);  // AutoRun stayed unchecked, so its handler did not run
}

TEST_F(SettingsLoaderTest, OnlyRecordCountLeavesEverythingOffAndExtreme) {
  store.Set("Record", "RecordCount", "100");
  loader.Load();

  EXPECT_FALSE(autoRun.Checked() || autoMin.Checked() || enableRecord.Checked() || state.Checked() || mostTop.Checked());
  EXPECT_EQ(speed.Text(), L"極限加速");
  EXPECT_EQ(count.Text(), L"100");
  EXPECT_EQ(File(), (std::map<std::string, std::string>{{"Record.RecordCount", "100"},
                                                         {"Speed.SpeedLevel", "2"},
                                                         {"Record.EnableRecord", "0"},
                                                         {"Normal.EnableSpeed", "0"},
                                                         {"Normal.AlwaysTop", "0"}}));
}

TEST_F(SettingsLoaderTest, AllOnRunsOnlyTheHandlersOfChangedControls) {
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
  loader.Load();

  EXPECT_TRUE(autoRun.Checked() && autoMin.Checked() && enableRecord.Checked() && state.Checked() && mostTop.Checked());
  EXPECT_EQ(speed.Text(), L"普通加速");
  EXPECT_EQ(count.Text(), L"200");
  // The checked-by-design boxes did not change, so nothing ran for them.
  EXPECT_EQ(store.writeLog,
            (std::vector<std::string>{"Normal.AutoRun=1", "Normal.AutoMin=1", "Speed.SpeedLevel=1", "Record.RecordCount=200"}));
  EXPECT_TRUE(topmostCalls.empty());
  EXPECT_EQ(registry.values[kRunValue], L"\"C:\\Tools\\kestrune.exe\"");
  EXPECT_TRUE(registry.open.empty());
}

TEST_F(SettingsLoaderTest, StoredValuesAreReadAsNumbers) {
  store.Set("Normal", "EnableSpeed", "  1  ");
  store.Set("Speed", "SpeedLevel", "3");
  store.Set("Record", "RecordCount", "100.0");
  store.Set("Normal", "AlwaysTop", "1.0");
  store.Set("Record", "EnableRecord", "on");
  loader.Load();

  EXPECT_TRUE(state.Checked());
  EXPECT_TRUE(mostTop.Checked());
  EXPECT_FALSE(enableRecord.Checked());
  EXPECT_EQ(speed.Text(), L"極限加速");
  EXPECT_EQ(count.Text(), L"100");
  const auto file = File();
  EXPECT_EQ(file.at("Speed.SpeedLevel"), "2");
  EXPECT_EQ(file.at("Record.RecordCount"), "100");
  EXPECT_EQ(file.at("Record.EnableRecord"), "0");
  EXPECT_EQ(file.at("Normal.EnableSpeed"), "  1  ");  // unchanged control: not rewritten
  EXPECT_TRUE(StoredAlwaysTop(config));                // and the window agrees with the check box
}

// RecordCount values that name no item must not break start-up: the first item is chosen and stored.
class RecordCountLoad : public SettingsLoaderTest, public ::testing::WithParamInterface<std::pair<const char*, const wchar_t*>> {};

TEST_P(RecordCountLoad, SelectsTheItemOrFallsBack) {
  const auto& [stored, item] = GetParam();
  store.Set("Record", "RecordCount", stored);
  loader.Load();
  EXPECT_EQ(count.Text(), item) << stored;
  EXPECT_EQ(store.Get("Record", "RecordCount"), codePage.ToAnsi(item)) << stored;
}

INSTANTIATE_TEST_SUITE_P(Table, RecordCountLoad,
                         ::testing::Values(std::pair{"50", L"50"}, std::pair{"0300", L"300"},
                                           std::pair{"200 rows", L"200"}, std::pair{"+100", L"100"},
                                           std::pair{"", L"50"}, std::pair{"0", L"50"}, std::pair{"75", L"50"},
                                           std::pair{"-100", L"50"}, std::pair{"100.5", L"50"},
                                           std::pair{"many", L"50"}, std::pair{"1e2", L"50"}));

TEST_F(SettingsLoaderTest, LoadStartsFromTheDesignedStatesWhateverTheControlsHeld) {
  // A toolkit that creates every box unchecked and a combo already selected.
  enableRecord.SetChecked(false);
  state.SetChecked(false);
  mostTop.SetChecked(false);
  autoRun.SetChecked(true);
  count.SetSelectedIndex(0);
  loader.Load();
  EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Speed.SpeedLevel=2", "Record.EnableRecord=0", "Record.RecordCount=50",
                                                      "Normal.EnableSpeed=0", "Normal.AlwaysTop=0"}));
  EXPECT_EQ(registry.creates, 0);
}

TEST_F(SettingsLoaderTest, FailedWritesLeaveTheControlsInTheirNewStates) {
  store.Set("Normal", "AutoMin", "1");
  store.failWrites = true;
  loader.Load();
  EXPECT_TRUE(autoMin.Checked());
  EXPECT_EQ(count.Text(), L"50");
  EXPECT_EQ(store.writes, 6);
  EXPECT_EQ(*store.Get("Normal", "AutoMin"), "1");
}

TEST_F(SettingsLoaderTest, CheckAutoRunClickAddsOrRemovesTheRunValueThenStoresTheFlag) {
  autoRun.SetChecked(true);
  loader.OnCheckAutoRunClick();
  EXPECT_EQ(registry.values[kRunValue], L"\"C:\\Tools\\kestrune.exe\"");
  EXPECT_EQ(*store.Get("Normal", "AutoRun"), "1");

  autoRun.SetChecked(false);
  store.onWrite = [&](const std::string&) { EXPECT_EQ(registry.values.count(kRunValue), 0u); };
  loader.OnCheckAutoRunClick();
  EXPECT_EQ(*store.Get("Normal", "AutoRun"), "0");
  EXPECT_TRUE(registry.open.empty());
  EXPECT_EQ(registry.badCloses, 0);
}

TEST_F(SettingsLoaderTest, CheckAutoRunWithoutAdministratorRightsStillStoresTheFlag) {
  registry.failCreate = true;
  autoRun.SetChecked(true);
  loader.OnCheckAutoRunClick();
  EXPECT_TRUE(autoRun.Checked());
  EXPECT_EQ(*store.Get("Normal", "AutoRun"), "1");
  EXPECT_TRUE(registry.values.empty());
  EXPECT_EQ(registry.sets + registry.closes, 0);
}

TEST_F(SettingsLoaderTest, CheckMostTopAppliesTheZOrderBeforeStoring) {
  int writesWhenApplied = -1;
  SettingsLoader observed(SettingsControls{autoRun, autoMin, speed, enableRecord, count, state, mostTop}, config,
                          autoRunModule, codePage, [&](bool top) {
                            writesWhenApplied = store.writes;
                            topmostCalls.push_back(top);
                          });
  mostTop.SetChecked(true);
  observed.OnCheckMostTopClick();
  EXPECT_EQ(writesWhenApplied, 0);
  mostTop.SetChecked(false);
  observed.OnCheckMostTopClick();
  EXPECT_EQ(topmostCalls, (std::vector<bool>{true, false}));
  EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Normal.AlwaysTop=1", "Normal.AlwaysTop=0"}));
}

TEST_F(SettingsLoaderTest, OtherHandlersStoreTheirControlsValues) {
  autoMin.SetChecked(true);
  enableRecord.SetChecked(false);
  state.SetChecked(true);
  speed.SetSelectedIndex(0);
  count.SetSelectedIndex(3);
  loader.OnCheckAutoMinClick();
  loader.OnCheckEnableRecordClick();
  loader.OnCheckStateClick();
  loader.OnComboSpeedClick();
  loader.OnComboAutoCleanCountClick();
  speed.SetSelectedIndex(1);
  loader.OnComboSpeedClick();
  EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Normal.AutoMin=1", "Record.EnableRecord=0", "Normal.EnableSpeed=1",
                                                      "Speed.SpeedLevel=1", "Record.RecordCount=300", "Speed.SpeedLevel=2"}));
  EXPECT_EQ(registry.creates, 0);
  EXPECT_TRUE(topmostCalls.empty());
}

TEST_F(SettingsLoaderTest, StoredAlwaysTopReadsTheFileAgain) {
  EXPECT_FALSE(StoredAlwaysTop(config));
  store.Set("Normal", "AlwaysTop", " 1 ");
  const int reads = store.reads;
  EXPECT_TRUE(StoredAlwaysTop(config));
  EXPECT_EQ(store.reads, reads + 1);
  store.Set("Normal", "AlwaysTop", "2");
  EXPECT_FALSE(StoredAlwaysTop(config));
}

}  // namespace
}  // namespace kestrune
