// The background restraint against the real program: a helper that keeps a core busy behind the
// window in front is lowered, shown, let go in front and when idle, never touched when excluded or
// given a class by someone else, and given back by the next start after a kill; the program in front
// is its window's process with its children, and what it did in front does not follow it behind.
#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

using namespace std::chrono_literals;

constexpr char kRestraining[] =
    "[Normal]\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\n"
    "RecordCount=50\r\n[Advanced]\r\nRestrainBackground=1\r\n";

DWORD ClassOf(HelperApp& helper) { return PriorityClassOf(helper.ProcessId()); }

bool ClassBecomes(HelperApp& helper, DWORD priorityClass) { return e2e::ClassBecomes(helper.ProcessId(), priorityClass); }

void SetSpinning(HelperApp& helper, bool on) {
  ::SendMessageW(helper.Window(), ::RegisterWindowMessageW(L"KestruneTestHelper.Spin"), on ? 1 : 0, 0);
}

bool SetClass(HelperApp& helper, DWORD priorityClass) { return e2e::SetClass(helper.ProcessId(), priorityClass); }

// The class stays as it is for the whole time: a restraint would come within a few readings.
bool ClassStays(DWORD processId, DWORD priorityClass, std::chrono::milliseconds time) {
  return !WaitFor([&] { return PriorityClassOf(processId) != priorityClass; }, time);
}

TEST(Restraint, ABackgroundSpinnerIsLoweredShownAndLetGoInFront) {
  RunningApp app(kRestraining);
  ASSERT_TRUE(app.Start());
  HelperApp front(L"Front helper");
  HelperApp spinner({L"Spinning helper"}, {L"", L"--spin"});
  ASSERT_NE(spinner.Window(), nullptr);
  ASSERT_TRUE(front.BringToFront());
  app.Tick();
  // The one-second tick takes its readings: five of them fill the window.
  EXPECT_TRUE(ClassBecomes(spinner, BELOW_NORMAL_PRIORITY_CLASS)) << ClassOf(spinner);
  EXPECT_TRUE(WaitFor([&] { return app.ControlText(ids::kLabelRestrained).find(L"helper_window.exe") == 0; }))
      << "shown: " << ToCodePage(app.ControlText(ids::kLabelRestrained), CP_UTF8);
  ASSERT_TRUE(app.ShowPage(0));
  app.Screenshot(L"restraint_state");

  ASSERT_TRUE(spinner.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(spinner, HIGH_PRIORITY_CLASS)) << ClassOf(spinner);
  EXPECT_EQ(app.ControlText(ids::kLabelRestrained), L"なし");

  SetSpinning(spinner, false);
  ASSERT_TRUE(front.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(spinner, NORMAL_PRIORITY_CLASS)) << ClassOf(spinner);
}

TEST(Restraint, AnExcludedSpinnerOrOneWithAChosenClassIsNeverTouched) {
  RunningApp app(std::string(kRestraining) + "Exclude=excluded_helper.exe\r\n");
  const std::wstring excludedExe = app.Dir().File(L"excluded_helper.exe");
  ASSERT_TRUE(::CopyFileW(HelperPath().c_str(), excludedExe.c_str(), FALSE));
  ASSERT_TRUE(app.Start());
  HelperApp front(L"Front helper");
  HelperApp excluded({L"Excluded spinner"}, {excludedExe, L"--spin"});
  HelperApp chosen({L"Chosen spinner"}, {L"", L"--spin"});
  HelperApp control({L"Control spinner"}, {L"", L"--spin"});
  ASSERT_NE(control.Window(), nullptr);
  ASSERT_TRUE(SetClass(chosen, ABOVE_NORMAL_PRIORITY_CLASS));
  ASSERT_TRUE(front.BringToFront());
  app.Tick();
  // The spinner nobody chose for is lowered: the readings have seen the other two just as long.
  ASSERT_TRUE(ClassBecomes(control, BELOW_NORMAL_PRIORITY_CLASS)) << ClassOf(control);
  EXPECT_EQ(ClassOf(excluded), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(ClassOf(chosen), static_cast<DWORD>(ABOVE_NORMAL_PRIORITY_CLASS));

  // Switched off by its check box: given back at once.
  app.Click(ids::kCheckRestrainBackground);
  EXPECT_EQ(ClassOf(control), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(IniValue(app.IniBytes(), "Advanced", "RestrainBackground"), "0");
}

TEST(Restraint, ASpinnerRestrainedWhenTheProgramWasKilledIsGivenBackAtTheNextStart) {
  RunningApp app(kRestraining);
  ASSERT_TRUE(app.Start());
  HelperApp front(L"Front helper");
  HelperApp spinner({L"Spinning helper"}, {L"", L"--spin"});
  ASSERT_TRUE(front.BringToFront());
  app.Tick();
  ASSERT_TRUE(ClassBecomes(spinner, BELOW_NORMAL_PRIORITY_CLASS));
  app.Proc().Kill();
  // Idle before the next start, which would otherwise lower it again after its own readings.
  SetSpinning(spinner, false);
  ASSERT_EQ(ClassOf(spinner), static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
  ASSERT_TRUE(app.Start());
  EXPECT_TRUE(ClassBecomes(spinner, NORMAL_PRIORITY_CLASS)) << ClassOf(spinner);
}

// A browser's window in front while a child of the same executable decodes its video: the child is
// never lowered while its program is in front, is once the program is behind, and is let go on the
// switch that brings its program back.
TEST(Restraint, AChildDoingItsProgramsWorkIsLoweredOnlyWhileItsProgramIsBehind) {
  RunningApp app(kRestraining);
  ASSERT_TRUE(app.Start());
  HelperApp other(L"Front helper");
  HelperApp browser({L"Browser helper"}, {L"", L"--spin-child"});
  ASSERT_NE(browser.Window(), nullptr);
  const auto child = static_cast<DWORD>(
      ::SendMessageW(browser.Window(), ::RegisterWindowMessageW(L"KestruneTestHelper.Child"), 0, 0));
  ASSERT_NE(child, 0u);
  ASSERT_TRUE(browser.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassStays(child, NORMAL_PRIORITY_CLASS, 10s)) << PriorityClassOf(child);
  ASSERT_TRUE(other.BringToFront());
  app.Tick();
  EXPECT_TRUE(e2e::ClassBecomes(child, BELOW_NORMAL_PRIORITY_CLASS)) << PriorityClassOf(child);
  ASSERT_TRUE(browser.BringToFront());
  app.Tick();
  EXPECT_EQ(PriorityClassOf(child), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
}

// A game busy on two cores while it is played, idle once the user has gone to the browser: it is not
// lowered for what it did in front, while a spinner that works behind all along is.
TEST(Restraint, AProgramBusyOnlyInFrontIsNotLoweredOnceBehindWhileAHogBesideItIs) {
  RunningApp app(kRestraining);
  ASSERT_TRUE(app.Start());
  HelperApp browser(L"Front helper");
  HelperApp game({L"Game helper"}, {L"", L"--spin-in-front"});
  HelperApp hog({L"Spinning helper"}, {L"", L"--spin"});
  ASSERT_NE(hog.Window(), nullptr);
  ASSERT_TRUE(game.BringToFront());
  app.Tick();
  // Played until the readings' window is full of its work in front.
  ASSERT_TRUE(ClassBecomes(hog, BELOW_NORMAL_PRIORITY_CLASS)) << ClassOf(hog);
  ASSERT_TRUE(browser.BringToFront());
  app.Tick();
  // Its raise given back by the switch, and nothing after it.
  EXPECT_EQ(ClassOf(game), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  EXPECT_TRUE(ClassStays(game.ProcessId(), NORMAL_PRIORITY_CLASS, 10s)) << ClassOf(game);
  EXPECT_EQ(ClassOf(hog), static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
}

}  // namespace
}  // namespace kestrune::e2e
