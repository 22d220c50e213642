// The tick's advanced rules against the scripted desktop: what a process gets back, which
// programs are left alone, which process a store app's frame stands for, and giving back when
// acceleration stops.
#include <gtest/gtest.h>

#include "engine/acting_process.h"
#include "engine/acceleration_cycle.h"
#include "engine/exclude_list.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_state_file.h"

namespace kestrune {
namespace {

using testing::FakeProcessApi;

constexpr std::uint32_t kIdle = 0x40, kBelowNormal = 0x4000, kAboveNormal = 0x8000;
constexpr ProcessId kSelf = 1, kA = 10, kB = 20, kHost = 30, kApp = 40;
constexpr WindowHandle kWinA = 0x1001, kWinB = 0x2001, kFrame = 0x3001, kCore = 0x4001;

class AccelerationRules : public ::testing::Test {
 protected:
  AccelerationRules() {
    api.self = kSelf;
    api.AddProcess(kSelf);
    api.AddProcess(kA, Proc(L"C:\\Tools\\a.exe", 111));
    api.AddProcess(kB, Proc(L"C:\\Tools\\b.exe", 222));
    api.AddWindow(kWinA, kA, L"A");
    api.AddWindow(kWinB, kB, L"B");
  }
  static FakeProcessApi::Process Proc(const wchar_t* path, std::uint64_t started) {
    FakeProcessApi::Process p;
    p.path = path;
    p.started = started;
    return p;
  }
  TickOutcome Front(WindowHandle w) {
    api.foreground = w;
    return cycle.Tick(input);
  }

  FakeProcessApi api;
  testing::FakeCodePage codePage;
  ProgramRules rules;
  TickInput input{true, SpeedLevel::Normal, true, false, &rules};
  testing::FakeStateFile journal;
  PriorityChanges changes{api, journal};
  AccelerationCycle cycle{api, codePage, changes};
};

// What A gets back when B comes to the front, by RestoreOriginal and by whether A's id now names
// another process (A ended and the id was given to a new one while A was raised).
struct GiveBackCase {
  const char* name;
  bool restoreOriginal;
  std::uint32_t before;
  bool idReused;
  std::uint32_t after;
  SpeedLevel level = SpeedLevel::Normal;
  bool realtimeGivesHigh = false;  // a standard user's Windows
  std::uint32_t raised = priority::kHigh;
};

class GiveBackRule : public AccelerationRules, public ::testing::WithParamInterface<GiveBackCase> {};

TEST_P(GiveBackRule, LeavingTheFrontGivesBackWhatTheProcessHad) {
  const GiveBackCase& c = GetParam();
  input.restoreOriginal = c.restoreOriginal;
  input.level = c.level;
  api.realtimeGivesHigh = c.realtimeGivesHigh;
  api.processes[kA].priorityClass = c.before;
  Front(kWinA);
  EXPECT_EQ(api.ClassOf(kA), c.raised);
  if (c.idReused) api.processes[kA].started = 999;
  EXPECT_TRUE(Front(kWinB).switched);
  EXPECT_EQ(api.ClassOf(kA), c.after);
  EXPECT_NE(api.ClassOf(kB), priority::kNormal) << "B raised";
  // A's memory went with its give-back: back in front and away again, it gets the same.
  Front(kWinA);
  Front(kWinB);
  EXPECT_EQ(api.ClassOf(kA), c.after);
  EXPECT_TRUE(api.open.empty());
  EXPECT_EQ(api.badCloses, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GiveBackRule,
    ::testing::Values(GiveBackCase{"OffGivesNormal", false, kBelowNormal, false, priority::kNormal},
                      GiveBackCase{"OnGivesBelowNormal", true, kBelowNormal, false, kBelowNormal},
                      GiveBackCase{"OnGivesIdle", true, kIdle, false, kIdle},
                      GiveBackCase{"OnGivesAboveNormal", true, kAboveNormal, false, kAboveNormal},
                      // The process under A's id is not the one raised: not Kestrune's to change.
                      GiveBackCase{"ReusedIdIsLeftAlone", true, kBelowNormal, true, priority::kHigh},
                      // A class the user chose before the program came to the front is the one it
                      // asks for: nothing was changed, so nothing is given back, at either level.
                      GiveBackCase{"ChosenHighStaysHigh", false, priority::kHigh, false, priority::kHigh},
                      GiveBackCase{"ChosenRealtimeStaysRealtime", false, priority::kRealtime, false,
                                   priority::kRealtime, SpeedLevel::Extreme, false, priority::kRealtime},
                      GiveBackCase{"ChosenHighAnsweredWithHighStaysHigh", false, priority::kHigh, false,
                                   priority::kHigh, SpeedLevel::Extreme, true}),
    [](const auto& p) { return std::string(p.param.name); });

// Whether B, named in some spelling in the list, is left alone: never raised, never lowered; A is
// given back all the same and the switch is shown, counted and recorded.
struct ExcludeCase {
  const char* name;
  const wchar_t* stored;
  bool excluded;
};

class ExcludeRule : public AccelerationRules, public ::testing::WithParamInterface<ExcludeCase> {};

TEST_P(ExcludeRule, AnExcludedProgramKeepsItsClassAndTheSwitchStillCounts) {
  rules = ProgramRules::FromStored(GetParam().stored, {});
  api.processes[kB].priorityClass = kIdle;
  Front(kWinA);
  const TickOutcome toB = Front(kWinB);
  EXPECT_TRUE(toB.switched && toB.record);
  EXPECT_EQ(toB.title, L"B");
  EXPECT_EQ(toB.switchCount, 2);
  EXPECT_EQ(api.ClassOf(kA), priority::kNormal);
  EXPECT_EQ(api.ClassOf(kB), GetParam().excluded ? kIdle : priority::kHigh);
  Front(kWinA);
  EXPECT_EQ(api.ClassOf(kB), GetParam().excluded ? kIdle : priority::kNormal);
  EXPECT_EQ(api.ClassOf(kA), priority::kHigh);
  EXPECT_TRUE(api.open.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ExcludeRule,
                         ::testing::Values(ExcludeCase{"Name", L"b.exe", true},
                                           ExcludeCase{"CaseAndBlanks", L" x.exe | B.EXE ||", true},
                                           ExcludeCase{"PathCountsAsItsName", L"D:\\elsewhere\\b.exe", true},
                                           ExcludeCase{"OtherName", L"c.exe|a.ex", false},
                                           ExcludeCase{"NameIsNotAPrefix", L"b.ex|b", false},
                                           ExcludeCase{"Empty", L"", false}),
                         [](const auto& p) { return std::string(p.param.name); });

// A rule's level goes before the general one (普通加速 here): the encoder gets the real-time class,
// given back behind; a program its rule leaves alone keeps its class; the outcome says a rule decided.
TEST_F(AccelerationRules, ARulesLevelGoesBeforeTheGeneralOne) {
  rules = ProgramRules::FromStored(L"", {{L"b.exe", L"realtime,auto"}, {L"a.exe", L"off,low"}});
  api.processes[kA].priorityClass = kIdle;
  Front(kWinA);
  const TickOutcome toB = Front(kWinB);
  EXPECT_EQ(api.ClassOf(kB), priority::kRealtime);
  EXPECT_EQ(toB.level, SpeedLevel::Extreme);
  EXPECT_TRUE(toB.byRule);
  EXPECT_EQ(toB.program, L"b.exe");
  const TickOutcome toA = Front(kWinA);
  EXPECT_EQ(api.ClassOf(kB), priority::kNormal);
  EXPECT_EQ(api.ClassOf(kA), kIdle);
  EXPECT_EQ(toA.level, SpeedLevel::Normal);
  EXPECT_TRUE(toA.byRule);
}

// Each switch to another program reads its name once, kept for "前面だったプログラムを追加" and
// serving the list too: a list adds no open of its own.
TEST_F(AccelerationRules, ASwitchReadsTheNameOnceListOrNot) {
  Front(kWinB);
  for (const bool listed : {false, true}) {
    rules = listed ? ProgramRules::FromStored(L"z.exe", {}) : ProgramRules();
    const int opens = api.opens;
    const int reads = api.pathReads;
    Front(kWinA);
    Front(kWinB);
    EXPECT_EQ(api.opens - opens, 6) << listed;  // B given back, A raised and named; the same for B
    EXPECT_EQ(api.pathReads - reads, 2) << listed;
    EXPECT_EQ(cycle.State().lastOtherName, L"b.exe");
  }
}

// The stored list read leniently, and the normal form written back.
TEST(ExcludeListForm, ReadsLenientlyAndWritesOneNormalForm) {
  const struct {
    const wchar_t* stored;
    const wchar_t* normal;
  } cases[] = {
      {L"a.exe|B.exe", L"a.exe|B.exe"},
      {L"  a.exe \t| |  b.exe |", L"a.exe|b.exe"},
      {L"C:\\Apps\\a.exe|A.EXE|/usr/a.exe", L"a.exe"},
      {L"a?.exe|<b>.exe|c\"d.exe|e.exe", L"e.exe"},
      {L"dir\\|..|.|x:", L""},
      {L"", L""},
      {L"|||", L""},
      {L"ｍｅｍｏ帳.exe|ＭＥＭＯ帳.exe", L"ｍｅｍｏ帳.exe"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExcludeList::Parse(c.stored).Stored(), c.normal) << c.stored;
}

// The frame rule over values: only a frame with a core window stands for the core's owner, and
// only a frame without one is decided again on the following ticks.
TEST(FrameRule, AFrameStandsForItsCoreWindowsOwnerAndWaitsForIt) {
  const struct {
    std::string_view windowClass;
    ProcessId coreOwner;
    ProcessId acting;
    bool awaits;
  } cases[] = {
      {kFrameWindowClass, kApp, kApp, false},
      {kFrameWindowClass, 0, kHost, true},  // no core window yet: the frame's owner, for now
      {"Notepad", kApp, kHost, false},
      {"Notepad", 0, kHost, false},
      {"applicationframewindow", 0, kHost, false},  // class names are matched exactly
      {"", kApp, kHost, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ActingProcess(c.windowClass, kHost, c.coreOwner), c.acting) << c.windowClass;
    EXPECT_EQ(AwaitsCoreWindow(c.windowClass, c.coreOwner), c.awaits) << c.windowClass << c.coreOwner;
  }
}

// A frame that comes to the front before its app is inside: the host is raised for now, and on the
// first tick that finds the app the host is given back and the app raised; no switch is counted.
TEST_F(AccelerationRules, AFrameInFrontIsDecidedAgainUntilItsAppIsInside) {
  api.AddProcess(kHost);
  api.AddProcess(kApp, Proc(L"C:\\Apps\\app.exe", 333));
  api.AddWindow(kFrame, kHost, L"Store app");
  api.windows[kFrame].className = std::string(kFrameWindowClass);
  Front(kWinA);
  Front(kFrame);
  EXPECT_EQ(api.ClassOf(kHost), priority::kHigh);
  EXPECT_FALSE(cycle.Tick(input).switched);  // still no app: nothing changes
  EXPECT_EQ(api.ClassOf(kHost), priority::kHigh);
  EXPECT_TRUE(cycle.ForegroundMoved()) << "a tick is due while the frame waits";
  api.AddChild(kCore, kFrame, kApp, std::string(kCoreWindowClass));
  EXPECT_FALSE(cycle.Tick(input).switched);
  EXPECT_EQ(api.ClassOf(kApp), priority::kHigh);
  EXPECT_EQ(api.ClassOf(kHost), priority::kNormal);
  EXPECT_EQ(cycle.State().switchCount, 2);
  EXPECT_EQ(cycle.State().lastOtherName, L"app.exe");
  EXPECT_FALSE(cycle.ForegroundMoved());
  const int sets = api.sets;
  cycle.Tick(input);  // decided: the following ticks leave it
  EXPECT_EQ(api.sets, sets);
  Front(kWinB);
  EXPECT_EQ(api.ClassOf(kApp), priority::kNormal);
}

TEST_F(AccelerationRules, AStoreAppsFrameRaisesTheAppAndGivesBackWhatItRaised) {
  api.AddProcess(kHost);
  api.AddProcess(kApp);
  api.AddWindow(kFrame, kHost, L"Store app");
  api.windows[kFrame].className = std::string(kFrameWindowClass);
  // In front before its core window exists: the host is raised, and given back when the frame
  // leaves, although by then the frame would be taken for the app.
  Front(kFrame);
  EXPECT_EQ(api.ClassOf(kHost), priority::kHigh);
  api.AddChild(kCore, kFrame, kApp, std::string(kCoreWindowClass));
  Front(kWinA);
  EXPECT_EQ(api.ClassOf(kHost), priority::kNormal);
  EXPECT_EQ(api.ClassOf(kApp), priority::kNormal);

  const int sets = api.sets;
  const TickOutcome outcome = Front(kFrame);
  EXPECT_EQ(outcome.title, L"Store app");
  EXPECT_EQ(api.ClassOf(kApp), priority::kHigh);
  Front(kWinB);
  EXPECT_EQ(api.ClassOf(kApp), priority::kNormal);
  EXPECT_EQ(api.sets - sets, 4);  // A down, app up, app down, B up: the host was not touched
}

// Acceleration stops: the process raised last gets back what it had, once; the next switch does
// not lower it again, and nothing is given back before anything was raised.
TEST_F(AccelerationRules, StoppingGivesTheRaisedProcessBackOnce) {
  for (const bool restoreOriginal : {false, true}) {
    cycle.Reset();
    api.processes[kA].priorityClass = kBelowNormal;
    cycle.GiveBackRaised(restoreOriginal);
    EXPECT_EQ(api.ClassOf(kA), kBelowNormal);
    EXPECT_EQ(api.ClassOf(kSelf), priority::kNormal);

    input.restoreOriginal = restoreOriginal;
    Front(kWinA);
    cycle.GiveBackRaised(restoreOriginal);
    EXPECT_EQ(api.ClassOf(kA), restoreOriginal ? kBelowNormal : priority::kNormal) << restoreOriginal;
    api.processes[kA].priorityClass = kIdle;  // the user sets it afterwards
    cycle.GiveBackRaised(restoreOriginal);
    Front(kWinB);
    EXPECT_EQ(api.ClassOf(kA), kIdle) << restoreOriginal;
    EXPECT_EQ(api.ClassOf(kB), priority::kHigh);
  }
  EXPECT_TRUE(api.open.empty());
}

// The quick look costs one foreground query and tells a moved foreground from a still one.
TEST_F(AccelerationRules, ForegroundMovedComparesWithTheLastTick) {
  Front(kWinA);
  const int queries = api.foregroundQueries;
  EXPECT_FALSE(cycle.ForegroundMoved());
  api.foreground = kWinB;
  EXPECT_TRUE(cycle.ForegroundMoved());
  api.foreground = 0;  // between two programs for a moment
  EXPECT_FALSE(cycle.ForegroundMoved());
  EXPECT_EQ(api.foregroundQueries - queries, 3);
  EXPECT_EQ(api.titleReads, 1);
}

}  // namespace
}  // namespace kestrune
