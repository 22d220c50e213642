// Nothing left raised, against the real program: a process whose window closed, a class a third
// program chose, and a process the program held raised when it was killed.
#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

// This seat's journal beside the settings file (named after the machine and the session), or none.
std::wstring SeatJournal(const RunningApp& app) {
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(app.Dir().File(L"kestrune.*.journal").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  ::FindClose(search);
  return app.Dir().File(found.cFileName);
}

constexpr char kAccelerating[] =
    "[Normal]\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\n"
    "RecordCount=50\r\n";

// The helper's window in front closes while another program's window comes to the front: the
// helper is given back, to the normal class or with RestoreOriginal to the class it had, and
// after three such rounds it still has that class.
TEST(GiveBack, AProcessWhoseWindowClosedIsGivenBackRoundAfterRound) {
  for (const bool restoreOriginal : {false, true}) {
    RunningApp app(std::string(kAccelerating) + "[Advanced]\r\nRestoreOriginal=" + (restoreOriginal ? "1" : "0") +
                   "\r\n");
    ASSERT_TRUE(app.Start());
    HelperApp helper({L"Helper 1", L"Helper 2", L"Helper 3", L"Helper 4"});
    HelperApp other(L"Other helper");
    ASSERT_NE(helper.Window(3), nullptr);
    // The other program in front first: the helper may have been raised while its windows came up.
    ASSERT_TRUE(other.BringToFront());
    app.Tick();
    ASSERT_TRUE(ClassBecomes(helper.ProcessId(), NORMAL_PRIORITY_CLASS));
    ASSERT_TRUE(SetClass(helper.ProcessId(), BELOW_NORMAL_PRIORITY_CLASS));
    const DWORD givenBack = restoreOriginal ? BELOW_NORMAL_PRIORITY_CLASS : NORMAL_PRIORITY_CLASS;
    for (std::size_t round = 0; round < 3; ++round) {
      ASSERT_TRUE(helper.BringToFront(round)) << round;
      app.Tick();
      ASSERT_TRUE(ClassBecomes(helper.ProcessId(), HIGH_PRIORITY_CLASS)) << round;
      HWND closing = helper.Window(round);
      ::PostMessageW(closing, WM_CLOSE, 0, 0);
      ASSERT_TRUE(WaitFor([&] { return ::IsWindow(closing) == FALSE; })) << round;
      ASSERT_TRUE(other.BringToFront()) << round;
      app.Tick();
      EXPECT_TRUE(ClassBecomes(helper.ProcessId(), givenBack))
          << "RestoreOriginal=" << restoreOriginal << " round " << round << ": class "
          << PriorityClassOf(helper.ProcessId());
    }
  }
}

TEST(GiveBack, AClassAThirdProgramChoseWhileRaisedIsKept) {
  RunningApp app(kAccelerating);
  ASSERT_TRUE(app.Start());
  HelperApp a(L"Helper A"), b(L"Helper B");
  ASSERT_TRUE(a.BringToFront());
  app.Tick();
  ASSERT_TRUE(ClassBecomes(a.ProcessId(), HIGH_PRIORITY_CLASS));
  ASSERT_TRUE(SetClass(a.ProcessId(), ABOVE_NORMAL_PRIORITY_CLASS));
  ASSERT_TRUE(b.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(b.ProcessId(), HIGH_PRIORITY_CLASS));
  EXPECT_EQ(PriorityClassOf(a.ProcessId()), static_cast<DWORD>(ABOVE_NORMAL_PRIORITY_CLASS));
}

// Ended by TerminateProcess while it held a helper raised: nothing could give the helper back
// then, so the next start does, from the journal beside the settings file.
TEST(GiveBack, AProcessRaisedWhenTheProgramWasKilledIsGivenBackAtTheNextStart) {
  RunningApp app(kAccelerating);
  ASSERT_TRUE(app.Start());
  HelperApp a(L"Helper A"), b(L"Helper B");
  ASSERT_TRUE(a.BringToFront());
  app.Tick();
  ASSERT_TRUE(ClassBecomes(a.ProcessId(), HIGH_PRIORITY_CLASS));
  const std::wstring journal = SeatJournal(app);
  ASSERT_FALSE(journal.empty());

  app.Proc().Kill();
  // A's line after 70 KB of others (a journal of thousands of changes): the file is read whole.
  WriteFileBytes(journal, std::string(70'000, '#') + "\n" + ReadFileBytes(journal));
  // B in front before the next start, whose first switch would otherwise raise A again.
  ASSERT_TRUE(b.BringToFront());
  ASSERT_EQ(PriorityClassOf(a.ProcessId()), static_cast<DWORD>(HIGH_PRIORITY_CLASS));

  ASSERT_TRUE(app.Start());
  EXPECT_TRUE(ClassBecomes(a.ProcessId(), NORMAL_PRIORITY_CLASS));
  // And the new run raises as ever.
  ASSERT_TRUE(b.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(b.ProcessId(), HIGH_PRIORITY_CLASS));
}

}  // namespace
}  // namespace kestrune::e2e
