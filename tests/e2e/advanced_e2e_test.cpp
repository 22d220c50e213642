// The advanced page against the real program: giving back, leaving alone, store-app frames, the
// quick reaction, and the page's own controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr char kAccelerating[] =
    "[Normal]\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\n"
    "RecordCount=50\r\n";

std::string WithAdvanced(const std::string& lines) { return kAccelerating + std::string("[Advanced]\r\n") + lines; }

bool Command(RunningApp& app, int id) {
  ::SendMessageW(app.Control(id), BM_CLICK, 0, 0);
  return RoundTrip(app.Main());
}

TEST(Advanced, AFileWithoutTheSectionGainsItsDefaultsAndThePageShowsThem) {
  RunningApp app(kAccelerating);
  ASSERT_TRUE(app.Start());
  const std::string ini = app.IniBytes();
  EXPECT_EQ(IniValue(ini, "Advanced", "RestoreOriginal"), "0") << ini;
  EXPECT_EQ(IniValue(ini, "Advanced", "RestoreOnStop"), "0") << ini;
  EXPECT_EQ(IniValue(ini, "Advanced", "Exclude"), "") << ini;
  EXPECT_EQ(IniValue(ini, "Advanced", "InstantReaction"), "0") << ini;
  EXPECT_EQ(IniValue(ini, "Advanced", "RestrainBackground"), "0") << ini;
  for (int id : {ids::kCheckRestoreOriginal, ids::kCheckRestoreOnStop, ids::kCheckInstantReaction,
                 ids::kCheckRestrainBackground})
    EXPECT_FALSE(Checked(app.Control(id))) << id;
}

TEST(Advanced, RestoreOriginalGivesBackTheClassAProcessHadBeforeItWasRaised) {
  RunningApp app(WithAdvanced("RestoreOriginal=1\r\n"));
  ASSERT_TRUE(app.Start());
  HelperApp a(L"Helper A"), b(L"Helper B");
  // B in front first: A may have been raised while its window came up, and is given back now.
  ASSERT_TRUE(b.BringToFront());
  app.Tick();
  ASSERT_TRUE(SetClass(a.ProcessId(), BELOW_NORMAL_PRIORITY_CLASS));
  ASSERT_TRUE(a.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(a.ProcessId(), HIGH_PRIORITY_CLASS));
  ASSERT_TRUE(b.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(b.ProcessId(), HIGH_PRIORITY_CLASS));
  EXPECT_TRUE(ClassBecomes(a.ProcessId(), BELOW_NORMAL_PRIORITY_CLASS));
}

// Switched off by its check box, ended with "終了" and Yes, and logged off: each gives the raised
// process back.
TEST(Advanced, RestoreOnStopGivesBackWhenSwitchedOffEndedOrLoggedOff) {
  for (int way = 0; way < 3; ++way) {
    RunningApp app(WithAdvanced("RestoreOnStop=1\r\n"));
    ASSERT_TRUE(app.Start());
    HelperApp a(L"Helper A");
    ASSERT_TRUE(a.BringToFront());
    app.Tick();
    ASSERT_TRUE(ClassBecomes(a.ProcessId(), HIGH_PRIORITY_CLASS));
    if (way == 0) {
      app.Click(ids::kCheckAcceleration);
      EXPECT_TRUE(app.Proc().Running());
    } else if (way == 1) {
      app.PressButton(ids::kCommandExit);
      HWND box = nullptr;
      ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L"確認してください。")) != nullptr; }));
      PressDialogButton(box, IDYES);
      EXPECT_TRUE(app.Proc().WaitExit(kPatience));
    } else {
      ::SendMessageW(app.Main(), WM_QUERYENDSESSION, 0, 0);
      ::SendMessageW(app.Main(), WM_ENDSESSION, TRUE, 0);
      EXPECT_TRUE(app.Proc().WaitExit(kPatience));
    }
    EXPECT_TRUE(ClassBecomes(a.ProcessId(), NORMAL_PRIORITY_CLASS)) << "way " << way;
  }
}

TEST(Advanced, AnExcludedProgramKeepsItsClassAndItsSwitchIsCountedAndRecorded) {
  RunningApp app(WithAdvanced("Exclude= Other_Helper.EXE \r\n"));
  const std::wstring other = app.Dir().File(L"other_helper.exe");
  ASSERT_TRUE(::CopyFileW(HelperPath().c_str(), other.c_str(), FALSE));
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(IniValue(app.IniBytes(), "Advanced", "Exclude"), "Other_Helper.EXE");
  HelperApp a(L"Helper A");
  HelperApp b({L"Helper B"}, {other, L"", L"KestruneTestHelper"});
  ASSERT_NE(b.Window(), nullptr);
  ASSERT_TRUE(SetClass(b.ProcessId(), IDLE_PRIORITY_CLASS));
  ASSERT_TRUE(a.BringToFront());
  app.Tick();
  ASSERT_TRUE(ClassBecomes(a.ProcessId(), HIGH_PRIORITY_CLASS));
  const int count = app.SwitchCount();
  const int rows = ListViewRowCount(app.Control(ids::kListViewHistory));

  ASSERT_TRUE(b.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(a.ProcessId(), NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(PriorityClassOf(b.ProcessId()), static_cast<DWORD>(IDLE_PRIORITY_CLASS));
  EXPECT_EQ(app.ControlText(ids::kLabelInfo), L"Helper B");
  EXPECT_GE(app.SwitchCount(), count + 1);
  ASSERT_GE(ListViewRowCount(app.Control(ids::kListViewHistory)), rows + 1);
  EXPECT_EQ(ListViewCell(app.Control(ids::kListViewHistory), rows, 2), L"Helper B");

  ASSERT_TRUE(a.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(a.ProcessId(), HIGH_PRIORITY_CLASS));
  EXPECT_EQ(PriorityClassOf(b.ProcessId()), static_cast<DWORD>(IDLE_PRIORITY_CLASS));
}

// Two programs named in Hangul on a Japanese system, whose code page has no Hangul: the one added to
// the list by its typed name is left alone and the other raised, at once and after a restart (the
// settings file, now UTF-16, gives the name back whole); label and history show their titles.
TEST(Advanced, ProgramsNamedOutsideTheCodePageAreLeftAloneByTheirNames) {
  RunningApp app(kAccelerating);
  const std::wstring listed = app.Dir().File(L"\uAC00\uB098.exe"), other = app.Dir().File(L"\uB2E4\uB77C.exe");
  for (const std::wstring& copy : {listed, other}) ASSERT_TRUE(::CopyFileW(HelperPath().c_str(), copy.c_str(), FALSE));
  ASSERT_TRUE(app.Start());
  ::SendMessageW(app.Control(ids::kEditRuleName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\uAC00\uB098.exe"));
  ASSERT_TRUE(Command(app, ids::kCommandAddRule));
  const std::string ini = app.IniBytes();
  EXPECT_EQ(ini.substr(0, 2), "\xFF\xFE");
  EXPECT_NE(std::wstring(reinterpret_cast<const wchar_t*>(ini.data()), ini.size() / 2).find(L"Exclude=\uAC00\uB098.exe\r\n"),
            std::wstring::npos);

  HelperApp a({L"\uAC00\uB098"}, {listed, L"", L"KestruneTestHelper"});
  HelperApp b({L"\uB2E4\uB77C"}, {other, L"", L"KestruneTestHelper"});
  for (int run = 0; run < 2; ++run) {
    if (run == 1) {
      app.EndSession();
      ASSERT_TRUE(app.Start());
    }
    ASSERT_TRUE(b.BringToFront());
    app.Tick();
    EXPECT_TRUE(ClassBecomes(b.ProcessId(), HIGH_PRIORITY_CLASS)) << "run " << run;
    ASSERT_TRUE(a.BringToFront());
    app.Tick();
    EXPECT_TRUE(ClassBecomes(b.ProcessId(), NORMAL_PRIORITY_CLASS)) << "run " << run;
    EXPECT_EQ(PriorityClassOf(a.ProcessId()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS)) << "run " << run;
    EXPECT_EQ(app.ControlText(ids::kLabelInfo), L"\uAC00\uB098");
    HWND history = app.Control(ids::kListViewHistory);
    const int rows = ListViewRowCount(history);
    ASSERT_GE(rows, 2);
    EXPECT_EQ(ListViewCell(history, rows - 2, 2) + L" " + ListViewCell(history, rows - 1, 2), L"\uB2E4\uB77C \uAC00\uB098");
  }
}

// The moment a helper's class changes, polled closely: the time of the last poll that still saw the
// old class, when it may have changed at the earliest. None when it had changed already, when the
// gap between two polls grew too wide to tell (this process was held up), or by `until`.
std::optional<Clock::time_point> EarliestChange(DWORD processId, DWORD to, Clock::time_point until) {
  if (PriorityClassOf(processId) == to) return std::nullopt;
  Clock::time_point before = Clock::now();
  while (before < until) {
    const bool changed = PriorityClassOf(processId) == to;
    const Clock::time_point now = Clock::now();
    if (changed) return now - before <= 40ms ? std::optional(before) : std::nullopt;
    before = now;
    ::Sleep(2);
  }
  return std::nullopt;
}

// Each switch is acted on before the one-second tick could have taken it. The tick's moments are
// found first from a switch only the tick takes (quick reaction off); then, with the quick
// reaction switched on by its check box, each switch is made just after a tick and its class must
// change well before the next one. Without the quick reaction no switch can pass that.
TEST(Advanced, InstantReactionActsOnEachSwitchWithoutTheTick) {
  RunningApp app(WithAdvanced("InstantReaction=0\r\n"));
  ASSERT_TRUE(app.Start());
  HelperApp a(L"Helper A"), b(L"Helper B");
  ASSERT_TRUE(b.BringToFront());
  ASSERT_TRUE(ClassBecomes(b.ProcessId(), HIGH_PRIORITY_CLASS));
  std::optional<Clock::time_point> tick;
  HelperApp* inFront = &b;
  for (int i = 0; i < 4 && !tick; ++i) {
    HelperApp& front = inFront == &a ? b : a;
    ASSERT_TRUE(front.BringToFront());
    tick = EarliestChange(front.ProcessId(), HIGH_PRIORITY_CLASS, Clock::now() + 3s);
    ASSERT_TRUE(ClassBecomes(front.ProcessId(), HIGH_PRIORITY_CLASS));
    inFront = &front;
  }
  ASSERT_TRUE(tick) << "no tick could be timed";
  app.Click(ids::kCheckInstantReaction);
  ASSERT_TRUE(Checked(app.Control(ids::kCheckInstantReaction)));

  constexpr auto kPeriod = 1000ms;
  int beforeTheTick = 0, tries = 0;
  for (; beforeTheTick < 4 && tries < 16; ++tries) {
    HelperApp& back = *inFront;
    HelperApp& front = inFront == &a ? b : a;
    inFront = &front;
    ASSERT_TRUE(ClassBecomes(front.ProcessId(), NORMAL_PRIORITY_CLASS)) << tries;
    const auto ticks = (Clock::now() - *tick) / kPeriod + 1;
    const Clock::time_point last = *tick + ticks * kPeriod;
    std::this_thread::sleep_until(last + 50ms);
    ASSERT_TRUE(front.BringToFront()) << tries;
    // The margin covers a tick that ran late when it was timed, its successors on time.
    const Clock::time_point next = last + kPeriod - 250ms;
    const auto raised = [&] { return PriorityClassOf(front.ProcessId()) == HIGH_PRIORITY_CLASS; };
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now());
    if (left > 0ms && WaitFor(raised, left) && Clock::now() <= next) ++beforeTheTick;
    ASSERT_TRUE(ClassBecomes(front.ProcessId(), HIGH_PRIORITY_CLASS)) << tries;
    ASSERT_TRUE(ClassBecomes(back.ProcessId(), NORMAL_PRIORITY_CLASS)) << tries;
  }
  std::printf("[ figures  ] switches acted on before the next tick: %d of %d\n", beforeTheTick, tries);
  EXPECT_EQ(beforeTheTick, 4);
}

TEST(Advanced, AStoreAppsFrameRaisesItsCoreWindowsProcessAndLeavesTheHostAlone) {
  RunningApp app(kAccelerating);
  ASSERT_TRUE(app.Start());
  HelperApp frame({L"Store app"}, {L"", L"--frame", L"ApplicationFrameWindow"});
  ASSERT_NE(frame.Window(), nullptr);
  wchar_t parent[32] = {};
  std::swprintf(parent, 32, L"%llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(frame.Window())));
  HelperApp core(std::vector<std::wstring>{}, {L"", std::wstring(L"--core ") + parent, L""});
  ASSERT_TRUE(WaitFor([&] {
    return ::FindWindowExW(frame.Window(), nullptr, L"Windows.UI.Core.CoreWindow", nullptr) != nullptr;
  }));
  // Another window in front first: the frame may have been in front, and raised as itself, before
  // its core window came.
  HelperApp other(L"Helper A");
  ASSERT_TRUE(other.BringToFront());
  app.Tick();
  ASSERT_TRUE(frame.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(core.ProcessId(), HIGH_PRIORITY_CLASS));
  EXPECT_EQ(PriorityClassOf(frame.ProcessId()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(app.ControlText(ids::kLabelInfo), L"Store app");
}

// A frame in front before its app is inside (at launch): the host stands for it until the core
// window comes, and the tick after that raises the app and gives the host back, counting no switch.
TEST(Advanced, AFrameInFrontWithoutItsAppIsDecidedAgainOnceTheAppIsInside) {
  RunningApp app(kAccelerating);
  ASSERT_TRUE(app.Start());
  HelperApp frame({L"Store app"}, {L"", L"--frame", L"ApplicationFrameWindow"});
  ASSERT_NE(frame.Window(), nullptr);
  ASSERT_TRUE(frame.BringToFront());
  app.Tick();
  ASSERT_TRUE(ClassBecomes(frame.ProcessId(), HIGH_PRIORITY_CLASS));
  const int switches = app.SwitchCount();
  wchar_t parent[32] = {};
  std::swprintf(parent, 32, L"%llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(frame.Window())));
  HelperApp core(std::vector<std::wstring>{}, {L"", std::wstring(L"--core ") + parent, L""});
  ASSERT_TRUE(WaitFor([&] {
    return ::FindWindowExW(frame.Window(), nullptr, L"Windows.UI.Core.CoreWindow", nullptr) != nullptr;
  }));
  ASSERT_EQ(::GetForegroundWindow(), frame.Window());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(core.ProcessId(), HIGH_PRIORITY_CLASS));
  EXPECT_TRUE(ClassBecomes(frame.ProcessId(), NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(app.SwitchCount(), switches);
}

// The rule list edited on its page as the exclusion list was: typed, the program last in front (each
// left alone in front), removed; each state on screen, and the file holding Exclude in its normal
// form after each change.
TEST(Advanced, TheListIsEditedOnItsPageAndStoredAtOnce) {
  RunningApp app(kAccelerating);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  HelperApp a(L"Helper A");
  ASSERT_TRUE(a.BringToFront());
  app.Tick();
  ASSERT_TRUE(app.ShowPage(4));
  EXPECT_EQ(app.ControlText(ids::kCheckRestoreOriginal), L"元の優先度に戻す");
  EXPECT_EQ(app.ControlText(ids::kCommandAddLastFront), L"前面だったプログラムを追加");
  EXPECT_TRUE(app.OnScreen(ids::kListRules));
  app.Screenshot(L"advanced_empty");

  HWND list = app.Control(ids::kListRules);
  ::SendMessageW(app.Control(ids::kEditRuleName), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"  C:\\Games\\Game.exe "));
  ASSERT_TRUE(Command(app, ids::kCommandAddRule));
  ASSERT_TRUE(Command(app, ids::kCommandAddLastFront));
  EXPECT_EQ(ListViewRowCount(list), 2);
  EXPECT_EQ(ListViewCell(list, 1, 0) + L" " + ListViewCell(list, 1, 1) + L" " + ListViewCell(list, 1, 2),
            L"helper_window.exe 加速しない 通常どおり");
  EXPECT_EQ(app.ControlText(ids::kEditRuleName), L"");
  EXPECT_TRUE(WaitFor([&] { return IniValue(app.IniBytes(), "Advanced", "Exclude") == "Game.exe|helper_window.exe"; }))
      << app.IniBytes();
  ASSERT_TRUE(SelectListViewRow(list, -1));
  app.Screenshot(L"advanced_entries");
  ASSERT_TRUE(SelectListViewRow(list, 0));
  app.Screenshot(L"advanced_selection");

  ASSERT_TRUE(Command(app, ids::kCommandRemoveRule));
  EXPECT_EQ(ListViewRowCount(list), 1);
  EXPECT_TRUE(WaitFor([&] { return IniValue(app.IniBytes(), "Advanced", "Exclude") == "helper_window.exe"; }))
      << app.IniBytes();
}

}  // namespace
}  // namespace kestrune::e2e
