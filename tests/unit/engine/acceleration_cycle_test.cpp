#include "engine/acceleration_cycle.h"

#include <gtest/gtest.h>

#include <limits>

#include "fakes/fake_code_page.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_state_file.h"

namespace kestrune {
namespace {

using testing::FakeProcessApi;

constexpr ProcessId kSelf = 1, kEditor = 10, kBrowser = 20, kSystem = 30;
constexpr WindowHandle kEditorMain = 0x1001, kEditorFind = 0x1002, kBrowserMain = 0x2001, kSystemWin = 0x3001;

class AccelerationCycleTest : public ::testing::Test {
 protected:
  AccelerationCycleTest() {
    api.self = kSelf;
    api.AddProcess(kSelf);
    api.AddProcess(kEditor);
    api.AddProcess(kBrowser);
    api.AddProcess(kSystem, {priority::kNormal, true, false});
    api.AddWindow(kEditorMain, kEditor, L"Editor");
    api.AddWindow(kEditorFind, kEditor, L"Find");
    api.AddWindow(kBrowserMain, kBrowser, L"Browser");
    api.AddWindow(kSystemWin, kSystem, L"System");
  }
  TickOutcome Front(WindowHandle w) {
    api.foreground = w;
    return cycle.Tick(input);
  }

  FakeProcessApi api;
  testing::FakeCodePage codePage;
  TickInput input{true, SpeedLevel::Normal, true};
  testing::FakeStateFile journal;
  PriorityChanges changes{api, journal};
  AccelerationCycle cycle{api, codePage, changes};
};

TEST_F(AccelerationCycleTest, GateOffChangesNothingAndAsksThePlatformNothing) {
  input.acceleration = false;
  cycle.SetState({kEditorMain, kBrowserMain, 5});
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Front(kBrowserMain).switched);
  EXPECT_EQ(api.foregroundQueries + api.titleReads + api.opens, 0);
  EXPECT_EQ(cycle.State().current, kEditorMain);
  EXPECT_EQ(cycle.State().previous, kBrowserMain);
  EXPECT_EQ(cycle.State().switchCount, 5);
}

// Nothing was raised before the first switch, so nothing is given back: the class the program
// itself was started with is not the program's to change.
TEST_F(AccelerationCycleTest, FirstSwitchOnlyRaisesTheNewOne) {
  api.processes[kSelf].priorityClass = priority::kHigh;
  const TickOutcome outcome = Front(kEditorMain);
  EXPECT_EQ(api.ClassOf(kSelf), priority::kHigh);
  EXPECT_EQ(api.ClassOf(kEditor), priority::kHigh);
  EXPECT_TRUE(outcome.switched);
  EXPECT_EQ(outcome.title, L"Editor");
  EXPECT_EQ(outcome.switchCount, 1);
  EXPECT_TRUE(outcome.record);
  EXPECT_EQ(outcome.level, SpeedLevel::Normal);
  EXPECT_TRUE(api.open.empty());
}

TEST_F(AccelerationCycleTest, SameWindowRepeatedIsOneSwitchWithOneQueryAndTitleReadPerTick) {
  int switches = 0;
  for (int i = 0; i < 5; ++i) switches += Front(kEditorMain).switched ? 1 : 0;
  EXPECT_EQ(switches, 1);
  EXPECT_EQ(api.foregroundQueries, 5);
  EXPECT_EQ(api.titleReads, 5);
  EXPECT_EQ(cycle.State().switchCount, 1);
  EXPECT_EQ(cycle.State().previous, kEditorMain);
  EXPECT_EQ(api.opens, 2);  // only the one switch opened a process: the editor, raised and named
}

TEST_F(AccelerationCycleTest, SwitchBackAndForthRestoresThePreviousOwner) {
  Front(kEditorMain);
  EXPECT_EQ(Front(kBrowserMain).switchCount, 2);
  EXPECT_EQ(api.ClassOf(kEditor), priority::kNormal);
  EXPECT_EQ(api.ClassOf(kBrowser), priority::kHigh);
  Front(kEditorMain);
  EXPECT_EQ(api.ClassOf(kBrowser), priority::kNormal);
  EXPECT_EQ(api.ClassOf(kEditor), priority::kHigh);
}

TEST_F(AccelerationCycleTest, TwoWindowsOfOneProcessEachCountAndLeaveItRaised) {
  Front(kEditorMain);
  const int setsBefore = api.sets;
  const TickOutcome outcome = Front(kEditorFind);
  EXPECT_EQ(api.sets - setsBefore, 2);  // normal as previous owner, then raised as new owner
  EXPECT_EQ(api.ClassOf(kEditor), priority::kHigh);
  EXPECT_TRUE(outcome.switched && outcome.record);
  EXPECT_EQ(outcome.switchCount, 2);
}

TEST_F(AccelerationCycleTest, NoForegroundWindowRaisesTheProgramItself) {
  Front(kEditorMain);
  const TickOutcome outcome = Front(0);
  EXPECT_EQ(api.ClassOf(kEditor), priority::kNormal);
  EXPECT_EQ(api.ClassOf(kSelf), priority::kHigh);
  EXPECT_TRUE(outcome.switched && outcome.record);
  EXPECT_EQ(outcome.title, L"");
}

TEST_F(AccelerationCycleTest, ProtectedProcessIsReadNotChangedButTheSwitchIsShown) {
  const TickOutcome outcome = Front(kSystemWin);
  EXPECT_EQ(api.ClassOf(kSystem), priority::kNormal);
  EXPECT_EQ(outcome.title, L"System");
  EXPECT_EQ(outcome.switchCount, 1);
  EXPECT_TRUE(outcome.record);
  EXPECT_TRUE(api.open.empty());
  EXPECT_EQ(api.badCloses, 0);
}

TEST_F(AccelerationCycleTest, VanishedWindowOrProcessIsNotAnError) {
  api.processes[kBrowser].hidden = true;
  Front(kBrowserMain);
  EXPECT_TRUE(Front(0x9999).switched);  // no such window: owner 0, opens fail
  EXPECT_EQ(cycle.State().switchCount, 2);
  EXPECT_EQ(api.opens, 2);  // the hidden browser, to raise and to name; nothing was held raised, and window 0x9999 has no owner
  EXPECT_EQ(api.closes, 0);
  EXPECT_TRUE(api.open.empty());
}

// The level decides the class the new owner gets and is handed on to the history row; an unknown
// level raises nothing, and the switch is shown and counted all the same.
struct LevelCase {
  const char* name;
  SpeedLevel level;
  std::uint32_t browserClass;
};

class TickLevel : public AccelerationCycleTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(TickLevel, RaisesByTheLevelOfThisTick) {
  input.level = GetParam().level;
  const TickOutcome outcome = Front(kBrowserMain);
  EXPECT_EQ(api.ClassOf(kBrowser), GetParam().browserClass);
  EXPECT_TRUE(outcome.switched);
  EXPECT_EQ(outcome.title, L"Browser");
  EXPECT_EQ(outcome.level, GetParam().level);
  EXPECT_EQ(outcome.switchCount, 1);
}

INSTANTIATE_TEST_SUITE_P(Levels, TickLevel,
                         ::testing::Values(LevelCase{"Normal", SpeedLevel::Normal, priority::kHigh},
                                           LevelCase{"Extreme", SpeedLevel::Extreme, priority::kRealtime},
                                           LevelCase{"Unknown", SpeedLevel::Unknown, priority::kNormal}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(AccelerationCycleTest, SpeedChangeAppliesFromTheNextSwitch) {
  Front(kEditorMain);
  input.level = SpeedLevel::Extreme;
  EXPECT_FALSE(Front(kEditorMain).switched);
  EXPECT_EQ(api.ClassOf(kEditor), priority::kHigh);
  EXPECT_EQ(Front(kBrowserMain).level, SpeedLevel::Extreme);
  EXPECT_EQ(api.ClassOf(kBrowser), priority::kRealtime);
}

TEST_F(AccelerationCycleTest, RecordingOffStillCounts) {
  input.recording = false;
  Front(kEditorMain);
  const TickOutcome outcome = Front(kBrowserMain);
  EXPECT_TRUE(outcome.switched);
  EXPECT_FALSE(outcome.record);
  EXPECT_EQ(outcome.switchCount, 2);
}

TEST_F(AccelerationCycleTest, CounterSaturatesAtInt32Max) {
  cycle.SetState({0, 0, std::numeric_limits<std::int32_t>::max() - 1});
  Front(kEditorMain);
  Front(kBrowserMain);
  EXPECT_EQ(Front(kEditorMain).switchCount, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(cycle.State().switchCount, std::numeric_limits<std::int32_t>::max());
}

// The title keeps the cut a 255-byte buffer in the code page made, and its characters: one the code
// page lacks counts as the one byte standing in for it there, yet shows as itself.
TEST_F(AccelerationCycleTest, TitlesAreBoundedAt254BytesOfTheCodePageAndKeepTheirCharacters) {
  struct Case {
    std::wstring title, shown;
  };
  const std::wstring a253(253, L'a');
  const std::wstring doubleByte = codePage.ToWide("\x93\xFA\x96\x7B");  // two characters of two bytes
  const Case cases[] = {
      {std::wstring(300, L'T'), std::wstring(254, L'T')},
      {a253 + doubleByte, a253},  // the first pair would straddle the bound
      {L"\uAC00\uB098.exe", L"\uAC00\uB098.exe"},
      {a253 + L"\uAC00\uB098", a253 + L"\uAC00"},
      // A surrogate pair, as Windows holds a character beyond U+FFFF, is never split.
      {a253 + std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}, a253},
  };
  WindowHandle window = 0x4001;
  for (const Case& c : cases) {
    api.AddWindow(window, kBrowser, c.title);
    EXPECT_EQ(Front(window++).title, c.shown) << c.title.size();
  }
}

TEST(PriorityChangesSet, OpensOnceAndClosesWhatItOpened) {
  FakeProcessApi api;
  testing::FakeStateFile journal;
  PriorityChanges changes{api, journal};
  api.AddProcess(7, {priority::kNormal, true, false});
  EXPECT_EQ(changes.Set(7, priority::kHigh).obtained, 0u);  // protected: not changed, nothing read
  EXPECT_EQ(api.opens, 1);
  EXPECT_EQ(api.closes, 0);

  EXPECT_EQ(changes.Set(0, priority::kHigh).obtained, 0u);  // no process: nothing opened
  EXPECT_EQ(api.opens, 1);

  api.AddProcess(8);
  EXPECT_EQ(changes.Set(8, priority::kRealtime).obtained, priority::kRealtime);
  EXPECT_EQ(api.opens, 2);
  EXPECT_TRUE(api.open.empty());
  EXPECT_EQ(api.badCloses, 0);
}

}  // namespace
}  // namespace kestrune
