// Every profile read and write of the settings page's keys at start-up failed in turn, and the Run
// key was refused. A failure is silent, costs only its own setting, lets every later setting load and write
// as usual, and leaves no registry key open. (Each registry step of autostart failing is the
// settings' own test.)
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "program_rig.h"

namespace kestrune {
namespace {

using testing::kRunValue;
constexpr const wchar_t* kUserRunValue = L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Kestrune_CN";
const std::vector<std::string> kKeys = {"Normal.AutoRun",      "Normal.AutoMin",     "Speed.SpeedLevel",
                                        "Record.EnableRecord", "Record.RecordCount", "Normal.EnableSpeed",
                                        "Normal.AlwaysTop"};

struct Form : testing::ProgramRig {
  // Each setting as "key=state", in load order.
  std::vector<std::string> States() const {
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    return {"Normal.AutoRun=" + flag(autoRun.Checked()),
            "Normal.AutoMin=" + flag(autoMin.Checked()),
            "Speed.SpeedLevel=" + std::string(speed.Text() == L"普通加速" ? "1" : "2"),
            "Record.EnableRecord=" + flag(recording.Checked()),
            "Record.RecordCount=" + codePage.ToAnsi(recordCount.Text()),
            "Normal.EnableSpeed=" + flag(acceleration.Checked()),
            "Normal.AlwaysTop=" + flag(alwaysTop.Checked())};
  }
};

class ProfileReadFailure : public ::testing::TestWithParam<std::string> {};

// A file with every setting on; the failing read turns only its own setting to what an empty value gives.
TEST_P(ProfileReadFailure, CostsOnlyItsOwnSetting) {
  Form f;
  f.store.Set("Normal", "AutoRun", "1");
  f.store.Set("Normal", "AutoMin", "1");
  f.store.Set("Speed", "SpeedLevel", "1");
  f.store.Set("Record", "EnableRecord", "1");
  f.store.Set("Record", "RecordCount", "200");
  f.store.Set("Normal", "EnableSpeed", "1");
  f.store.Set("Normal", "AlwaysTop", "1");
  f.store.failReadKeys = {GetParam()};

  f.program.Page().Load();

  std::vector<std::string> expected = {"Normal.AutoRun=1",      "Normal.AutoMin=1",     "Speed.SpeedLevel=1",
                                       "Record.EnableRecord=1", "Record.RecordCount=200", "Normal.EnableSpeed=1",
                                       "Normal.AlwaysTop=1"};
  for (auto& e : expected)
    if (e.rfind(GetParam() + "=", 0) == 0)
      e = GetParam() + (GetParam() == "Speed.SpeedLevel" ? "=2" : GetParam() == "Record.RecordCount" ? "=50" : "=0");
  EXPECT_EQ(f.States(), expected);
  EXPECT_EQ(f.store.readLog, testing::EveryKey());  // every later setting was still read
  // What the file holds afterwards agrees with the controls, except for a failed AutoRun or AutoMin:
  // they start off, so the empty value changes nothing and nothing rewrites them.
  const bool unchangedBox = GetParam() == "Normal.AutoRun" || GetParam() == "Normal.AutoMin";
  for (const auto& e : expected) {
    const auto dot = e.find('.'), eq = e.find('=');
    const bool failed = e.rfind(GetParam() + "=", 0) == 0;
    EXPECT_EQ(f.store.Get(e.substr(0, dot), e.substr(dot + 1, eq - dot - 1)),
              failed && unchangedBox ? "1" : e.substr(eq + 1))
        << e;
  }
  EXPECT_EQ(f.registry.values.count(kRunValue), GetParam() == "Normal.AutoRun" ? 0u : 1u);
  EXPECT_TRUE(f.registry.open.empty());
}

INSTANTIATE_TEST_SUITE_P(EachKey, ProfileReadFailure, ::testing::ValuesIn(kKeys), [](const auto& p) {
  return p.param.substr(p.param.find('.') + 1);
});

class ProfileWriteFailure : public ::testing::TestWithParam<std::string> {};

// With no file every setting but AutoRun and AutoMin changes and writes; one refused write is silent,
// the setting keeps its new value, and the writes after it still happen.
TEST_P(ProfileWriteFailure, IsSilentAndTheOtherWritesStillHappen) {
  Form f;
  f.store.failWriteKeys = {GetParam()};

  f.program.Page().Load();

  EXPECT_EQ(f.States(), (std::vector<std::string>{"Normal.AutoRun=0", "Normal.AutoMin=0", "Speed.SpeedLevel=2",
                                                  "Record.EnableRecord=0", "Record.RecordCount=50",
                                                  "Normal.EnableSpeed=0", "Normal.AlwaysTop=0"}));
  std::vector<std::string> writes = {"Speed.SpeedLevel=2", "Record.EnableRecord=0", "Record.RecordCount=50",
                                     "Normal.EnableSpeed=0", "Normal.AlwaysTop=0"};
  for (const std::string& write : testing::AdvancedDefaults()) writes.push_back(write);
  EXPECT_EQ(f.store.writeLog, writes);
  for (const auto& written : f.store.writeLog) {
    const auto dot = written.find('.'), eq = written.find('=');
    const auto value = f.store.Get(written.substr(0, dot), written.substr(dot + 1, eq - dot - 1));
    if (written.rfind(GetParam() + "=", 0) == 0) {
      EXPECT_FALSE(value.has_value()) << written;
    } else {
      EXPECT_EQ(value, written.substr(eq + 1)) << written;
    }
  }
  EXPECT_EQ(f.topmostCalls, std::vector<bool>{false});  // the window follows its box whatever the file did
}

INSTANTIATE_TEST_SUITE_P(EachWrittenKey, ProfileWriteFailure,
                         ::testing::Values("Speed.SpeedLevel", "Record.EnableRecord", "Record.RecordCount",
                                           "Normal.EnableSpeed", "Normal.AlwaysTop"),
                         [](const auto& p) { return std::string(p.param.substr(p.param.find('.') + 1)); });

// Start-up with autostart stored on while neither Run key may be written: the box is unticked,
// AutoRun is stored off, the user is told, and the rest of the settings load after it.
TEST(AutoStartAtLoad, RefusedRunKeysDoNotStopTheLoad) {
  Form f;
  f.store.Set("Normal", "AutoRun", "1");
  f.store.Set("Normal", "EnableSpeed", "1");
  f.registry.failCreate = true;

  f.program.Page().Load();

  EXPECT_FALSE(f.autoRun.Checked());
  EXPECT_TRUE(f.acceleration.Checked());
  EXPECT_EQ(f.store.readLog, testing::EveryKey());
  EXPECT_EQ(f.store.Get("Normal", "AutoRun"), "0");
  ASSERT_EQ(f.boxes.shown.size(), 1u);
  EXPECT_EQ(f.boxes.shown[0].text, UiText(TextId::AutostartRefused));
  EXPECT_EQ(f.registry.closes, 0);
  EXPECT_TRUE(f.registry.values.empty());
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
  testing::ProgramRig rig;
  rig.registry.values[kRunValue] = L"\"D:\\old\\kestrune.exe\"";
  c.fail(rig.registry, rig.store);
  // The box changes to the state under test: unticking starts from a ticked box.
  rig.program.Settings().Assign(Setting::AutoRun, !c.check);
  rig.autoRun.SetChecked(!c.check);

  rig.Click(Setting::AutoRun);

  EXPECT_EQ(rig.registry.values.count(kRunValue), c.machineAfter ? 1u : 0u);
  EXPECT_EQ(rig.registry.values.count(kUserRunValue), c.userAfter ? 1u : 0u);
  EXPECT_EQ(rig.program.Settings().Flag(Setting::AutoRun), c.written);
  EXPECT_EQ(rig.autoRun.Checked(), c.written);
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
