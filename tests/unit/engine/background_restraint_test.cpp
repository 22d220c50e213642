// The background restraint carried out on the scripted desktop: what a hog is given and given back,
// what the journal holds meanwhile, and what is left alone.
#include <gtest/gtest.h>

#include "engine/background_restraint.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_process_snapshot.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_state_file.h"

namespace kestrune {
namespace {

using testing::FakeProcessApi;
constexpr ProcessId kSelf = 1, kHog = 10, kFront = 30;
constexpr std::uint32_t kAboveNormal = 0x8000, kIdle = 0x40;
constexpr std::uint32_t kSpeed = ProcessApi::kThrottleExecutionSpeed;

class Restraint : public ::testing::Test {
 protected:
  Restraint() {
    api.self = kSelf;
    api.AddProcess(kSelf);
    api.AddProcess(kHog, {priority::kNormal, false, false, L"C:\\b\\build.exe", 111});
    api.AddProcess(kFront, {priority::kNormal, false, false, L"C:\\g\\game.exe", 333});
    snapshot.cores[kHog] = 1.0;
  }
  // Readings until the hog has been restrained; the count, or 0 within twenty.
  int UntilRestrained() {
    for (int i = 1; i <= 20; ++i)
      if (!restraint.Tick({true, true, kFront}).empty()) return i;
    return 0;
  }

  FakeProcessApi api;
  testing::FakeProcessSnapshot snapshot{api};
  testing::FakeStateFile journal;
  testing::FakeClock clock;
  PriorityChanges changes{api, journal};
  BackgroundRestraint restraint{{snapshot, api, changes, clock}};
};

TEST_F(Restraint, LowersAHogJournaledFirstAndGivesBackNormalOnceItIsQuiet) {
  std::string journalAtChange;
  api.onSet = [&](ProcessId, std::uint32_t) { journalAtChange = journal.bytes; };
  ASSERT_EQ(UntilRestrained(), 7);
  EXPECT_EQ(api.ClassOf(kHog), priority::kBelowNormal);
  EXPECT_EQ(ParseJournal(journalAtChange),
            (std::vector<ChangeEntry>{{kHog, 111, priority::kNormal, 0, false, priority::kBelowNormal}}));
  ASSERT_EQ(restraint.Restrained().size(), 1u);
  EXPECT_EQ(restraint.Restrained()[0].name, L"build.exe");
  EXPECT_EQ(restraint.Restrained()[0].since, clock.time);
  EXPECT_FALSE(restraint.Restrained()[0].throttled) << "this system offers no throttling: the class alone";

  snapshot.cores[kHog] = 0.0;
  std::vector<RestraintChange> released;
  for (int i = 0; i < 10 && released.empty(); ++i) released = restraint.Tick({true, true, kFront});
  ASSERT_EQ(released.size(), 1u);
  EXPECT_FALSE(released[0].restrained);
  EXPECT_EQ(api.ClassOf(kHog), priority::kNormal);
  EXPECT_TRUE(journal.bytes.empty());
  EXPECT_TRUE(restraint.Restrained().empty());
  EXPECT_EQ(api.open.size(), 0u);
}

// On two cores a game in front uses nearly both, and a build behind wants a core: restrained, it gets
// a twentieth of one. Held back is not quiet: it stays restrained, one restraint in two minutes,
// instead of let go and caught again every twelve seconds.
TEST_F(Restraint, AStarvedHogStaysRestrainedWhileItWouldHog) {
  snapshot.cores = {{kFront, 1.95}, {kHog, 0.67}};
  snapshot.coresWhenLowered[kHog] = 0.05;
  int restraints = 0, releases = 0;
  for (int i = 0; i < 120; ++i)
    for (const RestraintChange& change : restraint.Tick({true, true, kFront})) ++(change.restrained ? restraints : releases);
  EXPECT_EQ(std::pair(restraints, releases), std::pair(1, 0));
}

TEST_F(Restraint, AQuietMachineCostsOneLookAtItsTimesAndNoList) {
  snapshot.cores[kHog] = 0.3;  // a hog's share, but the machine as a whole is not busy
  EXPECT_EQ(UntilRestrained(), 0);
  EXPECT_EQ(snapshot.readings, 0u);
  EXPECT_EQ(snapshot.timeLooks, 20);
  snapshot.cores[kFront] = 0.6;  // now it is: the readings start, and fill the window first
  EXPECT_EQ(UntilRestrained(), 6);
}

TEST_F(Restraint, ThrottlesWhereOfferedAndGivesBackExactlyTheStateItRead) {
  api.throttling[kHog] = {0x4, 0x4};  // another mechanism someone controls stays as it is
  ASSERT_EQ(UntilRestrained(), 7);
  EXPECT_EQ(api.throttling[kHog].controlMask, 0x4u | kSpeed);
  EXPECT_EQ(api.throttling[kHog].stateMask, 0x4u | kSpeed);
  EXPECT_EQ(ParseJournal(journal.bytes),
            (std::vector<ChangeEntry>{{kHog, 111, priority::kNormal, 0, true, priority::kBelowNormal}}));
  restraint.ReleaseAll();
  EXPECT_EQ(api.throttling[kHog].controlMask, 0x4u);
  EXPECT_EQ(api.throttling[kHog].stateMask, 0x4u);
  EXPECT_EQ(api.ClassOf(kHog), priority::kNormal);
}

TEST_F(Restraint, LeavesAloneAClassSomeoneChoseBeforeOrAfter) {
  api.processes[kHog].priorityClass = kAboveNormal;
  EXPECT_EQ(UntilRestrained(), 0);
  EXPECT_EQ(api.ClassOf(kHog), kAboveNormal);

  api.processes[kHog].priorityClass = priority::kNormal;
  ASSERT_GT(UntilRestrained(), 0) << "asked again once the refusal has run out";
  api.processes[kHog].priorityClass = kIdle;  // the user's choice while restrained
  restraint.ReleaseAll();
  EXPECT_EQ(api.ClassOf(kHog), kIdle);
}

TEST_F(Restraint, AProgramComingToTheFrontIsLetGoBeforeItIsRaised) {
  api.throttling[kHog] = {};
  ASSERT_EQ(UntilRestrained(), 7);
  EXPECT_EQ(restraint.OnFront(kHog).size(), 1u);
  EXPECT_EQ(api.ClassOf(kHog), priority::kNormal);
  EXPECT_EQ(api.throttling[kHog].controlMask, 0u);
  EXPECT_TRUE(restraint.Tick({true, true, kHog}).empty()) << "in front, it is never restrained";
}

// With the quick reaction on, the user alt-tabs through a restrained build's console window and back
// within the second: let go at the front, and restrained again at the next reading behind, since it
// goes on hogging.
TEST_F(Restraint, ABuildPassedThroughTheFrontIsRestrainedAgainBehind) {
  ASSERT_EQ(UntilRestrained(), 7);
  ASSERT_EQ(restraint.OnFront(kHog).size(), 1u);
  EXPECT_EQ(UntilRestrained(), 1);
}

// A browser in its own efficiency mode: lowered, but its throttling is its own, and the give-back
// (at a release, or at the start after a kill: the same rule) leaves it on.
TEST_F(Restraint, AProcessThatThrottlesItselfKeepsItsThrottling) {
  api.throttling[kHog] = {kSpeed, kSpeed};
  ASSERT_EQ(UntilRestrained(), 7);
  EXPECT_FALSE(restraint.Restrained()[0].throttled);
  PriorityChanges nextRun{api, journal};
  nextRun.GiveBackLeftovers(false);
  EXPECT_EQ(api.ClassOf(kHog), priority::kNormal);
  EXPECT_EQ(api.throttling[kHog].controlMask & api.throttling[kHog].stateMask, kSpeed);
}

// The hog ends right after its class was set and a new process takes its id: the throttling goes
// with the class, through the same handle, never to the newcomer.
TEST_F(Restraint, TheThrottlingGoesToTheVeryProcessWhoseClassWasSet) {
  api.throttling[kHog] = {};
  api.onClose = [&](ProcessId id) {
    if (id != kHog || api.ClassOf(kHog) != priority::kBelowNormal) return;
    api.processes[kHog] = {priority::kNormal, false, false, L"C:\\n\\newcomer.exe", 999};
    api.throttling[kHog] = {};
  };
  ASSERT_EQ(UntilRestrained(), 7);
  EXPECT_EQ(api.throttling[kHog].controlMask, 0u);
  EXPECT_EQ(api.ClassOf(kHog), priority::kNormal);
}

// A browser behind the window in front: its renderer, a child of the same executable, hogs and is
// lowered. The browser comes to the front: its renderer is let go at once, and never lowered while
// its program stays there.
TEST_F(Restraint, AChildIsLetGoTheMomentItsProgramComesToTheFront) {
  constexpr ProcessId kBrowser = 40, kRenderer = 41;
  api.AddProcess(kBrowser, {priority::kNormal, false, false, L"C:\\b\\browser.exe", 400});
  api.AddProcess(kRenderer, {priority::kNormal, false, false, L"C:\\b\\browser.exe", 401, kBrowser});
  snapshot.cores = {{kRenderer, 1.0}};
  ASSERT_EQ(UntilRestrained(), 7);
  ASSERT_EQ(api.ClassOf(kRenderer), priority::kBelowNormal);
  EXPECT_EQ(restraint.OnFront(kBrowser).size(), 1u);
  EXPECT_EQ(api.ClassOf(kRenderer), priority::kNormal);
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(restraint.Tick({true, true, kBrowser}).empty()) << i;
}

TEST_F(Restraint, ALeftoverOfAKilledRunIsGivenBackAtTheNextStart) {
  api.throttling[kHog] = {};
  ASSERT_EQ(UntilRestrained(), 7);
  // The program ends without a word: a new run finds the journal.
  PriorityChanges nextRun{api, journal};
  nextRun.GiveBackLeftovers(false);
  EXPECT_EQ(api.ClassOf(kHog), priority::kNormal);
  EXPECT_EQ(api.throttling[kHog].controlMask, 0u);
  EXPECT_TRUE(journal.bytes.empty());
}

// A backup tool kept low by its rule on a quiet machine, the restraint off: each copy behind is
// lowered within the tick it is found in, journaled first, but not the copy the program in front
// started, one of another session, nor one whose class someone chose; it is let go in front, lowered
// again behind, and given back once the rule goes, a class its user chose since staying.
TEST_F(Restraint, AProgramARuleKeepsLowIsLowOnlyWhileBehind) {
  constexpr ProcessId kBackup = 50, kLater = 51, kChild = 52, kOtherSeat = 53, kTuned = 54;
  snapshot.cores = {};
  for (const ProcessId id : {kBackup, kChild, kOtherSeat, kTuned})
    api.AddProcess(id, {priority::kNormal, false, false, L"C:\\b\\Backup.EXE", 500 + id, id == kChild ? kFront : 0});
  snapshot.sessions[kOtherSeat] = 2;
  api.processes[kTuned].priorityClass = kAboveNormal;
  ProgramRules rules = ProgramRules::FromStored(L"", {{L"backup.exe", L"auto,low"}});
  const BehindInput input{true, false, kFront, &rules};
  std::string journalAtChange;
  api.onSet = [&](ProcessId id, std::uint32_t) { journalAtChange = id == kBackup ? journal.bytes : journalAtChange; };
  ASSERT_TRUE(restraint.Due(input));
  EXPECT_TRUE(restraint.Tick(input).empty()) << "the rule's, not the restraint's";
  EXPECT_EQ(restraint.RuleChanges().size(), 1u);
  EXPECT_EQ(ParseJournal(journalAtChange),
            (std::vector<ChangeEntry>{{kBackup, 550, priority::kNormal, 0, false, priority::kBelowNormal}}));
  for (const ProcessId id : {kChild, kOtherSeat}) EXPECT_EQ(api.ClassOf(id), priority::kNormal) << id;
  EXPECT_EQ(api.ClassOf(kTuned), kAboveNormal);
  api.AddProcess(kLater, {priority::kNormal, false, false, L"D:\\backup.exe", 551});
  restraint.Tick(input);
  EXPECT_EQ(api.ClassOf(kLater), priority::kBelowNormal);
  const int opens = api.opens;
  restraint.Tick(input);
  EXPECT_EQ(api.opens, opens) << "nothing held is set again, nothing refused asked again at once";

  EXPECT_EQ(restraint.OnFront(kBackup).size(), 0u);
  EXPECT_EQ(restraint.RuleChanges().size(), 1u);
  restraint.Tick({true, false, kBackup, &rules});
  EXPECT_EQ(api.ClassOf(kBackup), priority::kNormal);
  restraint.Tick(input);
  EXPECT_EQ(api.ClassOf(kBackup), priority::kBelowNormal);

  api.processes[kLater].priorityClass = kIdle;
  rules.Set(L"backup.exe", FrontChoice::Auto, BehindChoice::Auto);
  restraint.Tick(input);
  EXPECT_EQ(api.ClassOf(kBackup), priority::kNormal);
  EXPECT_EQ(api.ClassOf(kLater), kIdle);
  EXPECT_TRUE(restraint.KeptLow().empty());
  EXPECT_TRUE(journal.bytes.empty());
  EXPECT_FALSE(restraint.Due(input)) << "no reading is taken any more";
}

// A rule keeps a build farm's workers low: the first tick lowers all of them with one journal write,
// which names every one before the first is changed.
TEST_F(Restraint, ATickThatLowersManyWritesTheJournalOnceBeforeTheFirstChange) {
  const ProgramRules rules = ProgramRules::FromStored(L"", {{L"worker.exe", L"auto,low"}});
  for (ProcessId id = 100; id < 110; ++id) api.AddProcess(id, {priority::kNormal, false, false, L"worker.exe", id});
  std::size_t atFirst = 0;
  api.onSet = [&](ProcessId, std::uint32_t) { atFirst = atFirst ? atFirst : ParseJournal(journal.bytes).size(); };
  restraint.Tick({true, false, kFront, &rules});
  EXPECT_EQ(restraint.KeptLow().size(), 10u);
  EXPECT_EQ(atFirst, 10u);
  EXPECT_EQ(journal.writes, 1);
}

// Kept low, then acceleration is switched off; kept low again, then the program is killed: the next
// start gives it back from the journal.
TEST_F(Restraint, AProgramKeptLowIsGivenBackWithAccelerationAndAfterAKill) {
  const ProgramRules rules = ProgramRules::FromStored(L"", {{L"BUILD.exe", L"off,low"}});
  restraint.Tick({true, false, kFront, &rules});
  ASSERT_EQ(api.ClassOf(kHog), priority::kBelowNormal);
  restraint.Tick({false, false, kFront, &rules});
  EXPECT_EQ(api.ClassOf(kHog), priority::kNormal);
  restraint.Tick({true, false, kFront, &rules});
  ASSERT_EQ(api.ClassOf(kHog), priority::kBelowNormal);
  PriorityChanges nextRun{api, journal};
  nextRun.GiveBackLeftovers(false);
  EXPECT_EQ(api.ClassOf(kHog), priority::kNormal);
}

// A restrained hog whose program a rule now keeps low changes hands without a change of class (its
// throttling, which the rule does not ask for, ends), and stays low when the restraint is switched off.
TEST_F(Restraint, AHogARuleNowKeepsLowStaysLowWithoutAChangeOfClass) {
  api.throttling[kHog] = {};
  ASSERT_EQ(UntilRestrained(), 7);
  const ProgramRules rules = ProgramRules::FromStored(L"", {{L"build.exe", L"auto,low"}});
  const int sets = api.sets;
  EXPECT_EQ(restraint.Tick({true, true, kFront, &rules}).size(), 1u);
  EXPECT_EQ(restraint.RuleChanges().size(), 1u);
  EXPECT_EQ(api.sets, sets);
  EXPECT_EQ(api.throttling[kHog].controlMask, 0u);
  restraint.Tick({true, false, kFront, &rules});
  EXPECT_EQ(api.ClassOf(kHog), priority::kBelowNormal);
  EXPECT_TRUE(restraint.Restrained().empty());
  EXPECT_EQ(restraint.KeptLow().size(), 1u);
}

}  // namespace
}  // namespace kestrune
