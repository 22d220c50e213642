// Every profile read and write of the settings page's start-up failed in turn, and the Run key was
// refused. A failure is silent, costs only its own setting, lets every later setting load and write
// as usual, and leaves no registry key open. (Each registry step of autostart failing is the
// settings' own test.)
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "settings_page_rig.h"

namespace kestrune {
namespace {

using testing::FakeRegistry;

using testing::kRunValue;
const std::vector<std::string> kKeys = {"Normal.AutoRun",      "Normal.AutoMin",     "Speed.SpeedLevel",
                                        "Record.EnableRecord", "Record.RecordCount", "Normal.EnableSpeed",
                                        "Normal.AlwaysTop"};

struct Form : testing::SettingsPageRig {
  // Each setting as "key=state", in load order.
  std::vector<std::string> States() const {
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    return {"Normal.AutoRun=" + flag(autoRun.Checked()),
            "Normal.AutoMin=" + flag(autoMin.Checked()),
            "Speed.SpeedLevel=" + std::string(speed.Text() == L"普通加速" ? "1" : "2"),
            "Record.EnableRecord=" + flag(recording.Checked()),
            "Record.RecordCount=" + codePage.ToAnsi(count.Text()),
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

  f.page.Load();

  std::vector<std::string> expected = {"Normal.AutoRun=1",      "Normal.AutoMin=1",     "Speed.SpeedLevel=1",
                                       "Record.EnableRecord=1", "Record.RecordCount=200", "Normal.EnableSpeed=1",
                                       "Normal.AlwaysTop=1"};
  for (auto& e : expected)
    if (e.rfind(GetParam() + "=", 0) == 0)
      e = GetParam() + (GetParam() == "Speed.SpeedLevel" ? "=2" : GetParam() == "Record.RecordCount" ? "=50" : "=0");
  EXPECT_EQ(f.States(), expected);
  EXPECT_EQ(f.store.reads, 7);  // every later setting was still read
  // What the file holds afterwards agrees with the controls, except for a failed AutoRun or AutoMin:
  // their boxes start unchecked, so the empty value changes nothing and no handler rewrites them.
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

// With no file every handler but AutoRun's and AutoMin's runs and writes; one refused write is silent,
// the control keeps its new state, and the writes after it still happen.
TEST_P(ProfileWriteFailure, IsSilentAndTheOtherWritesStillHappen) {
  Form f;
  f.store.failWriteKeys = {GetParam()};

  f.page.Load();

  EXPECT_EQ(f.States(), (std::vector<std::string>{"Normal.AutoRun=0", "Normal.AutoMin=0", "Speed.SpeedLevel=2",
                                                  "Record.EnableRecord=0", "Record.RecordCount=50",
                                                  "Normal.EnableSpeed=0", "Normal.AlwaysTop=0"}));
  EXPECT_EQ(f.store.writeLog, (std::vector<std::string>{"Speed.SpeedLevel=2", "Record.EnableRecord=0",
                                                        "Record.RecordCount=50", "Normal.EnableSpeed=0",
                                                        "Normal.AlwaysTop=0"}));
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

  f.page.Load();

  EXPECT_FALSE(f.autoRun.Checked());
  EXPECT_TRUE(f.acceleration.Checked());
  EXPECT_EQ(f.store.reads, 7);
  EXPECT_EQ(f.store.Get("Normal", "AutoRun"), "0");
  ASSERT_EQ(f.boxes.shown.size(), 1u);
  EXPECT_EQ(f.boxes.shown[0].text, UiText(TextId::AutostartRefused));
  EXPECT_EQ(f.registry.closes, 0);
  EXPECT_TRUE(f.registry.values.empty());
}

}  // namespace
}  // namespace kestrune
