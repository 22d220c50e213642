// Every platform operation of the acceleration tick failed in turn, at a switch from one program to another.
// The tick says nothing about any of them, still asks for the label, the history row and the counter,
// and leaves no process handle open.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/acceleration_cycle.h"
#include "engine/change_journal.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_state_file.h"
#include "history_rig.h"

namespace kestrune {
namespace {

using testing::FakeProcessApi;

constexpr ProcessId kSelf = 1, kEditor = 10, kBrowser = 20;
constexpr WindowHandle kEditorWindow = 0x1001, kBrowserWindow = 0x2001;

struct TickFailure {
  const char* name;
  std::function<void(FakeProcessApi&)> fail;
  std::uint32_t editor, browser, self;  // classes after the switch from the editor to the browser
  const wchar_t* title;                 // what the label and the history row are to show
  int opens, closes;                    // in the failing tick
};

class TickOperationFailure : public ::testing::TestWithParam<TickFailure>, protected testing::HistoryRig {
 protected:
  TickOperationFailure() {
    api.self = kSelf;
    api.AddProcess(kSelf);
    api.AddProcess(kEditor);
    api.AddProcess(kBrowser);
    api.AddWindow(kEditorWindow, kEditor, L"Editor");
    api.AddWindow(kBrowserWindow, kBrowser, L"Browser");
  }

  // One tick, its row recorded as the window records it.
  TickOutcome Tick() {
    const TickOutcome outcome = cycle.Tick({true, SpeedLevel::Normal, true});
    if (outcome.record) history.Append(outcome.title, outcome.level, 50);
    return outcome;
  }

  FakeProcessApi api;
  testing::FakeStateFile journal;
  PriorityChanges changes{api, journal};
  AccelerationCycle cycle{api, codePage, changes};
};

TEST_P(TickOperationFailure, IsSurvivedSilentlyAndTheSwitchStillShowsCountsAndRecords) {
  const TickFailure& c = GetParam();
  api.foreground = kEditorWindow;
  Tick();  // a good switch first: the editor runs raised
  ASSERT_EQ(api.ClassOf(kEditor), priority::kHigh);
  const int opensBefore = api.opens, closesBefore = api.closes;

  c.fail(api);
  api.foreground = kBrowserWindow;
  const TickOutcome outcome = Tick();

  EXPECT_EQ(api.ClassOf(kEditor), c.editor);
  EXPECT_EQ(api.ClassOf(kBrowser), c.browser);
  EXPECT_EQ(api.ClassOf(kSelf), c.self);
  EXPECT_EQ(api.opens - opensBefore, c.opens);
  EXPECT_EQ(api.closes - closesBefore, c.closes);
  EXPECT_TRUE(api.open.empty()) << "process handle left open";
  EXPECT_EQ(api.badCloses, 0);

  // The steps after the failing one still ran.
  EXPECT_TRUE(outcome.switched);
  EXPECT_EQ(outcome.title, c.title);
  EXPECT_EQ(outcome.switchCount, 2);
  ASSERT_EQ(list.RowCount(), 2);
  EXPECT_EQ(list.Cell(1, 0), L"2 ");
  EXPECT_EQ(list.Cell(1, 2), c.title);
  EXPECT_EQ(list.Cell(1, 3), SpeedNormalText());
  EXPECT_TRUE(messages.shown.empty()) << "the tick reported a failure";
}

constexpr auto N = priority::kNormal;
constexpr auto H = priority::kHigh;

// The editor raised before is given back by its id, whatever its window tells; a class that cannot
// be read is not known to be the one set, and is left alone.
INSTANTIATE_TEST_SUITE_P(
    EachOperation, TickOperationFailure,
    // Each switch to another program also opens it once with query rights alone, for its name.
    ::testing::Values(
        TickFailure{"NothingFails", [](FakeProcessApi&) {}, N, H, N, L"Browser", 3, 3},
        // No foreground window is a switch to window 0: the program raises itself.
        TickFailure{"ForegroundWindow", [](FakeProcessApi& a) { a.failForeground = true; }, N, N, H, L"", 2, 2},
        TickFailure{"WindowTitle", [](FakeProcessApi& a) { a.failTitle = true; }, N, H, N, L"", 3, 3},
        // The browser's owner reads as process 0, which is not opened.
        TickFailure{"WindowOwner", [](FakeProcessApi& a) { a.failWindowProcess = true; }, N, N, N, L"Browser", 1, 1},
        TickFailure{"OpenWithSetRights", [](FakeProcessApi& a) { a.refuseRights = access::kSetInformation; }, H, N, N,
                    L"Browser", 3, 1},
        TickFailure{"EveryOpen",
                    [](FakeProcessApi& a) { a.refuseRights = access::kSetInformation | access::kQueryInformation; },
                    H, N, N, L"Browser", 3, 1},
        TickFailure{"SetPriorityClass", [](FakeProcessApi& a) { a.failSetPriority = true; }, H, N, N, L"Browser", 3,
                    3},
        TickFailure{"GetPriorityClass", [](FakeProcessApi& a) { a.failGetPriority = true; }, H, H, N, L"Browser", 3,
                    3}),
    [](const auto& p) { return std::string(p.param.name); });

// What PriorityChanges::Set answers when a step fails: the class read back afterwards, or 0 when
// nothing could be read; what is held for the give-back, and what a start after a kill gives back
// from the journal; never a handle left open.
struct PriorityFailure {
  const char* name;
  std::function<void(FakeProcessApi&)> fail;
  std::uint32_t result;
  std::uint32_t classAfter;
  std::size_t held;  // entries held for a give-back afterwards
  std::uint32_t afterNextStart;
};

class SetPriorityFailure : public ::testing::TestWithParam<PriorityFailure> {};

TEST_P(SetPriorityFailure, GivesTheClassItCouldReadAndClosesEverything) {
  FakeProcessApi api;
  testing::FakeStateFile journal;
  PriorityChanges changes{api, journal};
  api.AddProcess(kEditor);
  GetParam().fail(api);
  EXPECT_EQ(changes.Set(kEditor, priority::kRealtime).obtained, GetParam().result);
  EXPECT_EQ(api.ClassOf(kEditor), GetParam().classAfter);
  EXPECT_EQ(changes.Held().size(), GetParam().held);
  PriorityChanges nextStart{api, journal};
  nextStart.GiveBackLeftovers(false);
  EXPECT_EQ(api.ClassOf(kEditor), GetParam().afterNextStart);
  EXPECT_TRUE(api.open.empty());
  EXPECT_EQ(api.badCloses, 0);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, SetPriorityFailure,
    ::testing::Values(
        PriorityFailure{"NothingFails", [](FakeProcessApi&) {}, priority::kRealtime, priority::kRealtime, 1, N},
        PriorityFailure{"OpenWithSetRights", [](FakeProcessApi& a) { a.refuseRights = access::kSetInformation; }, 0,
                        priority::kNormal, 0, N},
        PriorityFailure{"SetPriorityClass", [](FakeProcessApi& a) { a.failSetPriority = true; }, priority::kNormal,
                        priority::kNormal, 0, N},
        // Set, but not known to be: held, and the give-back will not find the class it set.
        PriorityFailure{"GetPriorityClass", [](FakeProcessApi& a) { a.failGetPriority = true; }, 0,
                        priority::kRealtime, 1, priority::kRealtime},
        PriorityFailure{"RealtimeNeedsTheRight", [](FakeProcessApi& a) { a.realtimeGivesHigh = true; },
                        priority::kHigh, priority::kHigh, 1, N}),
    [](const auto& p) { return std::string(p.param.name); });

// A save whose write fails and whose clean-up fails too still tells the user why the save failed, once,
// and leaves an existing file as it was.
class HistorySaveCleanupFailure : public ::testing::Test, protected testing::HistoryRig {};

TEST_F(HistorySaveCleanupFailure, ReportsTheWriteFailureNotTheCleanup) {
  history.Append(L"Editor", SpeedLevel::Normal, 50);
  files.files[dialog.answer.fileName] = "old";
  files.failWriteAfter = 3;
  files.failRemove = true;

  history.Save();

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, files.writeError);
  EXPECT_EQ(messages.shown[0].title, L"Kestrune");
  EXPECT_EQ(messages.shown[0].flags, 0x30u);
  EXPECT_EQ(files.files[dialog.answer.fileName], "old");
  EXPECT_EQ(files.replaceCalls, 0);
  EXPECT_EQ(files.removeCalls, 1);
}

}  // namespace
}  // namespace kestrune
