#include "boost/boost_cycle.h"

#include <gtest/gtest.h>

#include <limits>

#include "boost/set_process_priority.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_processes.h"

namespace kestrune {
namespace {

using testing::FakeCheckBox;
using testing::FakeComboBox;
using testing::FakeLabel;
using testing::FakeProcessApi;

struct Recorded {
  std::wstring title;
  std::wstring level;
};
class ListRecorder : public SwitchRecorder {
 public:
  void RecordSwitch(std::wstring_view title, std::wstring_view level) override {
    rows.push_back({std::wstring(title), std::wstring(level)});
  }
  std::vector<Recorded> rows;
};

void Select(FakeComboBox& combo, std::wstring_view text) { combo.SetSelectedIndex(combo.FindItem(text)); }

constexpr ProcessId kSelf = 1, kEditor = 10, kBrowser = 20, kSystem = 30;
constexpr WindowHandle kEditorMain = 0x1001, kEditorFind = 0x1002, kBrowserMain = 0x2001, kSystemWin = 0x3001;

class BoostCycleTest : public ::testing::Test {
 protected:
  BoostCycleTest() {
    api.self = kSelf;
    api.AddProcess(kSelf);
    api.AddProcess(kEditor);
    api.AddProcess(kBrowser);
    api.AddProcess(kSystem, {priority::kNormal, true, false});
    api.AddWindow(kEditorMain, kEditor, "Editor");
    api.AddWindow(kEditorFind, kEditor, "Find");
    api.AddWindow(kBrowserMain, kBrowser, "Browser");
    api.AddWindow(kSystemWin, kSystem, "System");
    Select(speed, kSpeedNormal);
  }
  void Front(WindowHandle w) {
    api.foreground = w;
    cycle.Tick();
  }

  FakeProcessApi api;
  testing::FakeCodePage codePage;
  FakeCheckBox state{true};
  FakeComboBox speed{{std::wstring(kSpeedNormal), std::wstring(kSpeedExtreme)}};
  FakeCheckBox record{true};
  FakeLabel info, count;
  ListRecorder recorder;
  BoostCycle cycle{api, codePage, {state, speed, record, info, count}, recorder};
};

TEST_F(BoostCycleTest, GateOffChangesNothingAndReadsOnlyTheCheckBox) {
  state.SetChecked(false);
  cycle.SetState({kEditorMain, kBrowserMain, 5});
  for (int i = 0; i < 3; ++i) Front(kBrowserMain);
  EXPECT_EQ(api.foregroundQueries + api.titleReads + api.opens, 0);
  EXPECT_EQ(cycle.State().current, kEditorMain);
  EXPECT_EQ(cycle.State().previous, kBrowserMain);
  EXPECT_EQ(cycle.State().switchCount, 5);
  EXPECT_EQ(info.setCount + count.setCount, 0);
}

TEST_F(BoostCycleTest, FirstSwitchPutsOwnProcessToNormalAndRaisesTheNewOne) {
  api.processes[kSelf].priorityClass = priority::kHigh;
  Front(kEditorMain);
  EXPECT_EQ(api.ClassOf(kSelf), priority::kNormal);
  EXPECT_EQ(api.ClassOf(kEditor), priority::kHigh);
  EXPECT_EQ(info.Caption(), L"Editor");
  EXPECT_EQ(info.tooltip, L"Editor");
  EXPECT_EQ(count.Caption(), L"1");
  ASSERT_EQ(recorder.rows.size(), 1u);
  EXPECT_EQ(recorder.rows[0].level, kSpeedNormal);
  EXPECT_TRUE(api.open.empty());
}

TEST_F(BoostCycleTest, SameWindowRepeatedIsOneSwitchWithOneQueryAndTitleReadPerTick) {
  for (int i = 0; i < 5; ++i) Front(kEditorMain);
  EXPECT_EQ(api.foregroundQueries, 5);
  EXPECT_EQ(api.titleReads, 5);
  EXPECT_EQ(cycle.State().switchCount, 1);
  EXPECT_EQ(cycle.State().previous, kEditorMain);
  EXPECT_EQ(recorder.rows.size(), 1u);
  EXPECT_EQ(api.opens, 2);  // only the one switch opened processes: own (previous 0) and the editor
}

TEST_F(BoostCycleTest, SwitchBackAndForthRestoresThePreviousOwner) {
  Front(kEditorMain);
  Front(kBrowserMain);
  EXPECT_EQ(api.ClassOf(kEditor), priority::kNormal);
  EXPECT_EQ(api.ClassOf(kBrowser), priority::kHigh);
  EXPECT_EQ(count.Caption(), L"2");
  Front(kEditorMain);
  EXPECT_EQ(api.ClassOf(kBrowser), priority::kNormal);
  EXPECT_EQ(api.ClassOf(kEditor), priority::kHigh);
}

TEST_F(BoostCycleTest, TwoWindowsOfOneProcessEachCountAndLeaveItRaised) {
  Front(kEditorMain);
  const int setsBefore = api.sets;
  Front(kEditorFind);
  EXPECT_EQ(api.sets - setsBefore, 2);  // normal as previous owner, then raised as new owner
  EXPECT_EQ(api.ClassOf(kEditor), priority::kHigh);
  EXPECT_EQ(cycle.State().switchCount, 2);
  EXPECT_EQ(recorder.rows.size(), 2u);
}

TEST_F(BoostCycleTest, NoForegroundWindowRaisesTheProgramItself) {
  Front(kEditorMain);
  Front(0);
  EXPECT_EQ(api.ClassOf(kEditor), priority::kNormal);
  EXPECT_EQ(api.ClassOf(kSelf), priority::kHigh);
  EXPECT_EQ(info.Caption(), L"");
  ASSERT_EQ(recorder.rows.size(), 2u);
  EXPECT_EQ(recorder.rows[1].title, L"");
}

TEST_F(BoostCycleTest, ProtectedProcessIsReadNotChangedButTheSwitchIsShown) {
  Front(kSystemWin);
  EXPECT_EQ(api.ClassOf(kSystem), priority::kNormal);
  EXPECT_EQ(info.Caption(), L"System");
  EXPECT_EQ(count.Caption(), L"1");
  EXPECT_EQ(recorder.rows.size(), 1u);
  EXPECT_TRUE(api.open.empty());
  EXPECT_EQ(api.badCloses, 0);
}

TEST_F(BoostCycleTest, VanishedWindowOrProcessIsNotAnError) {
  api.processes[kBrowser].hidden = true;
  Front(kBrowserMain);
  Front(0x9999);  // no such window: owner 0, opens fail
  EXPECT_EQ(cycle.State().switchCount, 2);
  EXPECT_EQ(api.closes, 1);  // only the program's own process (previous 0) was ever opened
  EXPECT_TRUE(api.open.empty());
}

TEST_F(BoostCycleTest, SpeedChangeAppliesFromTheNextSwitch) {
  Front(kEditorMain);
  Select(speed, kSpeedExtreme);
  Front(kEditorMain);
  EXPECT_EQ(api.ClassOf(kEditor), priority::kHigh);
  Front(kBrowserMain);
  EXPECT_EQ(api.ClassOf(kBrowser), priority::kRealtime);
  EXPECT_EQ(recorder.rows.back().level, kSpeedExtreme);
}

TEST_F(BoostCycleTest, UnknownSpeedTextRaisesNothingButStillCounts) {
  speed.SetSelectedIndex(-1);
  Front(kBrowserMain);
  EXPECT_EQ(api.ClassOf(kBrowser), priority::kNormal);
  EXPECT_EQ(count.Caption(), L"1");
  EXPECT_EQ(info.Caption(), L"Browser");
}

TEST_F(BoostCycleTest, RecordingOffStillCounts) {
  record.SetChecked(false);
  Front(kEditorMain);
  Front(kBrowserMain);
  EXPECT_TRUE(recorder.rows.empty());
  EXPECT_EQ(count.Caption(), L"2");
}

TEST_F(BoostCycleTest, CounterSaturatesAtInt32Max) {
  cycle.SetState({0, 0, std::numeric_limits<std::int32_t>::max() - 1});
  Front(kEditorMain);
  Front(kBrowserMain);
  Front(kEditorMain);
  EXPECT_EQ(cycle.State().switchCount, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(count.Caption(), L"2147483647");
}

TEST_F(BoostCycleTest, LongAndDoubleByteTitlesAreBoundedAt254Bytes) {
  api.AddWindow(0x4001, kBrowser, std::string(300, 'T'));
  Front(0x4001);
  EXPECT_EQ(info.Caption(), std::wstring(254, L'T'));

  std::string dbcs(253, 'a');
  dbcs += "\x93\xFA\x96\x7B";  // two double-byte characters straddling the bound
  api.AddWindow(0x4002, kBrowser, dbcs);
  Front(0x4002);
  EXPECT_EQ(info.Caption(), std::wstring(253, L'a'));
}

TEST(SetProcessPriority, OpensAtMostTwiceAndClosesWhatItOpened) {
  FakeProcessApi api;
  api.AddProcess(7, {priority::kNormal, true, false});
  api.AddWindow(0x70, 7, "x");
  EXPECT_EQ(SetProcessPriority(api, 0, 0x70, priority::kHigh), priority::kNormal);
  EXPECT_EQ(api.opens, 2);
  EXPECT_EQ(api.closes, 1);

  api.processes[7].hidden = true;
  EXPECT_EQ(SetProcessPriority(api, 7, 0, priority::kHigh), 0u);
  EXPECT_EQ(api.closes, 1);  // nothing to close for a zero handle

  api.AddProcess(8);
  EXPECT_EQ(SetProcessPriority(api, 8, 0x70, priority::kRealtime), priority::kRealtime);  // id wins over window
  EXPECT_TRUE(api.open.empty());
}

}  // namespace
}  // namespace kestrune
