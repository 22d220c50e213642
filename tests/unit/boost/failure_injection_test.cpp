// Every platform operation of the boost tick failed in turn, at a switch from one program to another.
// The tick says nothing about any of them, goes on with its next steps (label, history row, counter),
// and leaves no process handle open.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "boost/boost_cycle.h"
#include "boost/history.h"
#include "boost/set_process_priority.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_processes.h"

namespace kestrune {
namespace {

using testing::FakeProcessApi;

constexpr ProcessId kSelf = 1, kEditor = 10, kBrowser = 20;
constexpr WindowHandle kEditorWindow = 0x1001, kBrowserWindow = 0x2001;

class ToHistory : public SwitchRecorder {
 public:
  explicit ToHistory(History& history) : history_(history) {}
  void RecordSwitch(std::wstring_view title, std::wstring_view level) override { history_.Append(title, level); }

 private:
  History& history_;
};

struct TickFailure {
  const char* name;
  std::function<void(FakeProcessApi&)> fail;
  std::uint32_t editor, browser, self;  // classes after the switch from the editor to the browser
  const wchar_t* title;                 // what the label and the history row show
  int opens, closes;                    // in the failing tick
};

class TickOperationFailure : public ::testing::TestWithParam<TickFailure> {
 protected:
  TickOperationFailure() {
    api.self = kSelf;
    api.AddProcess(kSelf);
    api.AddProcess(kEditor);
    api.AddProcess(kBrowser);
    api.AddWindow(kEditorWindow, kEditor, "Editor");
    api.AddWindow(kBrowserWindow, kBrowser, "Browser");
    speed.SetSelectedIndex(0);
    maximum.SetSelectedIndex(0);
  }

  FakeProcessApi api;
  testing::FakeCodePage codePage;
  testing::FakeCheckBox state{true}, record{true};
  testing::FakeComboBox speed{std::wstring(kSpeedNormal), std::wstring(kSpeedExtreme)};
  testing::FakeComboBox maximum{L"50", L"100", L"200", L"300"};
  testing::FakeLabel info, count;
  testing::FakeHistoryList list;
  testing::FakeClock clock;
  testing::FakeMessageBoxes messages;
  testing::FakeFileDialog dialog;
  testing::FakeFileSystem files;
  History history{History::Services{list, maximum, clock, messages, dialog, files, codePage}, L"http://h/"};
  ToHistory recorder{history};
  BoostCycle cycle{api, codePage, BoostControls{state, speed, record, info, count}, recorder};
};

TEST_P(TickOperationFailure, IsSurvivedSilentlyAndTheSwitchStillShowsCountsAndRecords) {
  const TickFailure& c = GetParam();
  api.foreground = kEditorWindow;
  cycle.Tick();  // a good switch first: the editor runs raised
  ASSERT_EQ(api.ClassOf(kEditor), priority::kHigh);
  const int opensBefore = api.opens, closesBefore = api.closes;

  c.fail(api);
  api.foreground = kBrowserWindow;
  cycle.Tick();

  EXPECT_EQ(api.ClassOf(kEditor), c.editor);
  EXPECT_EQ(api.ClassOf(kBrowser), c.browser);
  EXPECT_EQ(api.ClassOf(kSelf), c.self);
  EXPECT_EQ(api.opens - opensBefore, c.opens);
  EXPECT_EQ(api.closes - closesBefore, c.closes);
  EXPECT_TRUE(api.open.empty()) << "process handle left open";
  EXPECT_EQ(api.badCloses, 0);

  // The steps after the failing one still ran.
  EXPECT_EQ(info.Caption(), c.title);
  EXPECT_EQ(info.tooltip, c.title);
  EXPECT_EQ(count.Caption(), L"2");
  ASSERT_EQ(list.RowCount(), 2);
  EXPECT_EQ(list.Cell(1, 0), L"2 ");
  EXPECT_EQ(list.Cell(1, 2), c.title);
  EXPECT_EQ(list.Cell(1, 3), kSpeedNormal);
  EXPECT_TRUE(messages.shown.empty()) << "the tick reported a failure";
}

constexpr auto N = priority::kNormal;
constexpr auto H = priority::kHigh;

INSTANTIATE_TEST_SUITE_P(
    EachOperation, TickOperationFailure,
    ::testing::Values(
        TickFailure{"NothingFails", [](FakeProcessApi&) {}, N, H, N, L"Browser", 2, 2},
        // No foreground window is a switch to window 0: the program raises itself.
        TickFailure{"ForegroundWindow", [](FakeProcessApi& a) { a.failForeground = true; }, N, N, H, L"", 2, 2},
        TickFailure{"WindowTitle", [](FakeProcessApi& a) { a.failTitle = true; }, N, H, N, L"", 2, 2},
        // Both owners read as process 0, which cannot be opened either way.
        TickFailure{"WindowOwner", [](FakeProcessApi& a) { a.failWindowProcess = true; }, H, N, N, L"Browser", 4, 0},
        TickFailure{"OpenWithSetRights", [](FakeProcessApi& a) { a.refuseRights = access::kSetInformation; }, H, N, N,
                    L"Browser", 4, 2},
        TickFailure{"EveryOpen",
                    [](FakeProcessApi& a) { a.refuseRights = access::kSetInformation | access::kQueryInformation; },
                    H, N, N, L"Browser", 4, 0},
        TickFailure{"SetPriorityClass", [](FakeProcessApi& a) { a.failSetPriority = true; }, H, N, N, L"Browser", 2,
                    2},
        TickFailure{"GetPriorityClass", [](FakeProcessApi& a) { a.failGetPriority = true; }, N, H, N, L"Browser", 2,
                    2}),
    [](const auto& p) { return std::string(p.param.name); });

// What SetProcessPriority gives back when a step fails: the class read afterwards, or 0 when nothing
// could be read, and never a handle left open.
struct PriorityFailure {
  const char* name;
  std::function<void(FakeProcessApi&)> fail;
  std::uint32_t result;
  std::uint32_t classAfter;
};

class SetPriorityFailure : public ::testing::TestWithParam<PriorityFailure> {};

TEST_P(SetPriorityFailure, GivesTheClassItCouldReadAndClosesEverything) {
  FakeProcessApi api;
  api.AddProcess(kEditor);
  api.AddWindow(kEditorWindow, kEditor, "Editor");
  GetParam().fail(api);
  EXPECT_EQ(SetProcessPriority(api, 0, kEditorWindow, priority::kRealtime), GetParam().result);
  EXPECT_EQ(api.ClassOf(kEditor), GetParam().classAfter);
  EXPECT_TRUE(api.open.empty());
  EXPECT_EQ(api.badCloses, 0);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, SetPriorityFailure,
    ::testing::Values(
        PriorityFailure{"NothingFails", [](FakeProcessApi&) {}, priority::kRealtime, priority::kRealtime},
        PriorityFailure{"OpenWithSetRights", [](FakeProcessApi& a) { a.refuseRights = access::kSetInformation; },
                        priority::kNormal, priority::kNormal},
        PriorityFailure{"EveryOpen",
                        [](FakeProcessApi& a) { a.refuseRights = access::kSetInformation | access::kQueryInformation; },
                        0, priority::kNormal},
        PriorityFailure{"SetPriorityClass", [](FakeProcessApi& a) { a.failSetPriority = true; }, priority::kNormal,
                        priority::kNormal},
        PriorityFailure{"GetPriorityClass", [](FakeProcessApi& a) { a.failGetPriority = true; }, 0,
                        priority::kRealtime},
        PriorityFailure{"WindowOwner", [](FakeProcessApi& a) { a.failWindowProcess = true; }, 0, priority::kNormal}),
    [](const auto& p) { return std::string(p.param.name); });

// A save whose write fails and whose clean-up fails too still tells the user why the save failed, once,
// and leaves an existing file as it was.
TEST(HistorySaveCleanupFailure, ReportsTheWriteFailureNotTheCleanup) {
  testing::FakeCodePage codePage;
  testing::FakeHistoryList list;
  testing::FakeComboBox maximum{L"50"};
  maximum.SetSelectedIndex(0);
  testing::FakeClock clock;
  testing::FakeMessageBoxes messages;
  testing::FakeFileDialog dialog;
  testing::FakeFileSystem files;
  History history{History::Services{list, maximum, clock, messages, dialog, files, codePage}, L"http://h/"};
  history.Append(L"Editor", kSpeedNormal);
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
