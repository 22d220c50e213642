// Who the background restraint lowers and when it lets go, over scripted readings of processor use.
#include <gtest/gtest.h>

#include "engine/restraint_planner.h"

namespace kestrune {
namespace {

constexpr ProcessId kHog = 10, kOther = 20, kSelf = 1, kFront = 30, kShell = 40;
constexpr std::uint64_t kSecond = 10'000'000;  // 100 ns units

// A machine whose processes use a fixed share of a core each second.
class Machine {
 public:
  struct Proc {
    ProcessId id;
    std::wstring name;
    double cores;
    std::uint32_t session = 1;
    std::uint64_t started = 100;
    ProcessId parent = 0;
    std::uint64_t used = 0;
  };
  std::vector<Proc> procs;
  std::uint64_t now = 5 * kSecond;
  unsigned cores = 2;
  RestraintPlanner planner;
  ProgramRules rules;
  RestraintContext context{kFront, kSelf, 1, &rules};
  // Work the process list does not show (another system's, under an emulator); below 0: the
  // machine's own times are not told, and the samples stand for them.
  double unseenLoad = -1;

  // One reading a second later; answers every Restrain step as made.
  std::vector<RestraintStep> Read() {
    now += kSecond;
    samples_.clear();
    double busy = unseenLoad;
    for (Proc& p : procs) {
      p.used += static_cast<std::uint64_t>(p.cores * kSecond);
      samples_.push_back({p.id, p.started, p.used, p.session, p.name, p.parent});
      if (p.id != 0) busy += p.cores;
    }
    const std::optional<std::uint64_t> machine =
        unseenLoad < 0 ? std::nullopt : std::optional(static_cast<std::uint64_t>(busy * kSecond));
    std::vector<RestraintStep> steps = planner.Plan(samples_, now, cores, context, machine);
    for (const RestraintStep& s : steps)
      if (s.kind == RestraintStepKind::Restrain) planner.Restrained(s.process, s.started);
    return steps;
  }
  int ReadingsUntil(RestraintStepKind kind, ProcessId id, int limit) {
    for (int i = 1; i <= limit; ++i)
      for (const RestraintStep& s : Read())
        if (s.kind == kind && s.process == id) return i;
    return 0;
  }

 private:
  std::vector<ProcessSample> samples_;
};

struct HogCase {
  const char* name;
  double use;           // the candidate's use, in cores
  const wchar_t* exe;
  std::uint32_t session;
  ProcessId id;
  unsigned cores;
  double otherLoad;     // what the rest of the machine uses
  int restrainedAt;     // reading at which it is restrained; 0 = never within 20
  ProcessId parent = 0;  // kShell: a shell the program in front started
  std::uint64_t started = 100;  // the program in front (a browser, a terminal) started at 50
};

class HogRule : public ::testing::TestWithParam<HogCase> {};

TEST_P(HogRule, RestrainsOnlyABackgroundHogOfThisUserOnABusyMachine) {
  const HogCase& c = GetParam();
  Machine m;
  m.cores = c.cores;
  m.rules = ProgramRules::FromStored(L"excluded.exe", {});
  m.procs = {{c.id, c.exe, c.use, c.session, c.started, c.parent}, {kOther, L"tray.exe", c.otherLoad}, {0, L"Idle", 1.0}};
  if (c.id != kFront) m.procs.push_back({kFront, L"browser.exe", 0.0, 1, 50});
  if (c.parent == kShell) m.procs.push_back({kShell, L"cmd.exe", 0.0, 1, 60, kFront});
  EXPECT_EQ(m.ReadingsUntil(RestraintStepKind::Restrain, c.id, 20), c.restrainedAt) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Readings, HogRule,
    ::testing::Values(
        // The first reading is the base line; five more fill the window.
        HogCase{"a busy loop", 1.0, L"build.exe", 1, kHog, 2, 0.01, 6},
        HogCase{"a busy loop sharing its core with three others", 0.3, L"build.exe", 1, kHog, 2, 1.7, 6},
        HogCase{"a program working in short bursts", 0.2, L"browser.exe", 1, kHog, 2, 1.8, 0},
        HogCase{"an idle tray program", 0.01, L"build.exe", 1, kHog, 2, 0.9, 0},
        // A larger machine: the same shares of it as of two cores. Held back is only what keeps it
        // busy, so that the program in front gains the cores it takes.
        HogCase{"a busy loop alone on four cores", 1.0, L"build.exe", 1, kHog, 4, 0.0, 0},
        HogCase{"a busy loop beside two busy cores of four", 1.0, L"build.exe", 1, kHog, 4, 1.0, 6},
        HogCase{"a busy loop on sixteen cores", 1.0, L"build.exe", 1, kHog, 16, 0.0, 0},
        HogCase{"a busy loop on sixteen cores, eight of them busy", 1.0, L"build.exe", 1, kHog, 16, 8.0, 0},
        HogCase{"a parallel build keeping sixteen cores busy", 12.0, L"build.exe", 1, kHog, 16, 1.0, 6},
        HogCase{"a hog on an idle machine", 0.6, L"build.exe", 1, kHog, 16, 0.1, 0},
        HogCase{"a parallel build on sixty-four cores", 32.0, L"build.exe", 1, kHog, 64, 4.0, 6},
        HogCase{"a busy loop on sixty-four cores, thirty of them busy", 1.0, L"build.exe", 1, kHog, 64, 30.0, 0},
        HogCase{"the program in front", 1.0, L"game.exe", 1, kFront, 2, 0.0, 0},
        HogCase{"this program", 1.0, L"kestrune.exe", 1, kSelf, 2, 0.0, 0},
        HogCase{"an excluded program", 1.0, L"C:\\x\\EXCLUDED.EXE", 1, kHog, 2, 0.0, 0},
        HogCase{"the shell", 1.0, L"explorer.exe", 1, kHog, 2, 0.0, 0},
        HogCase{"the audio engine", 1.0, L"AudioDG.exe", 1, kHog, 2, 0.0, 0},
        HogCase{"a stream being recorded behind the game", 1.0, L"C:\\OBS\\obs64.exe", 1, kHog, 2, 0.0, 0},
        HogCase{"another session's process", 1.0, L"build.exe", 0, kHog, 2, 0.0, 0},
        // The program in front is its process and every descendant: the browser's video decoder, the
        // build the terminal's shell runs. Not every process of its name: another copy may hog.
        HogCase{"a child of the program in front", 1.0, L"browser.exe", 1, kHog, 2, 0.0, 0, kFront, 200},
        HogCase{"a build the terminal in front started", 1.0, L"build.exe", 1, kHog, 2, 0.0, 0, kShell, 200},
        HogCase{"another copy of the program in front", 1.0, L"browser.exe", 1, kHog, 2, 0.0, 6, 0, 200},
        HogCase{"a process older than the id it names as parent", 1.0, L"build.exe", 1, kHog, 2, 0.0, 6, kFront, 20}),
    [](const ::testing::TestParamInfo<HogCase>& param) {
      std::string name = param.param.name;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

class Release : public ::testing::Test {
 protected:
  Release() {
    m.procs = {{kHog, L"build.exe", 1.0}, {kOther, L"tray.exe", 0.0}};
    restrainedAt = m.ReadingsUntil(RestraintStepKind::Restrain, kHog, 20);
  }
  Machine m;
  int restrainedAt = 0;
};

TEST_F(Release, AfterTenQuietReadingsInARowAndNotBefore) {
  ASSERT_EQ(restrainedAt, 6);
  m.procs[0].cores = 0.05;
  EXPECT_EQ(m.ReadingsUntil(RestraintStepKind::Release, kHog, 9), 0);
  m.procs[0].cores = 0.9;  // a burst starts the count again
  m.Read();
  m.procs[0].cores = 0.05;
  EXPECT_EQ(m.ReadingsUntil(RestraintStepKind::Release, kHog, 20), 10);
  EXPECT_EQ(m.planner.RestrainedCount(), 0u);
}

TEST_F(Release, AtOnceWhenItComesToTheFrontOrIsExcludedOrEnds) {
  m.context.front = kHog;
  EXPECT_EQ(m.ReadingsUntil(RestraintStepKind::Release, kHog, 1), 1);
  m.context.front = kFront;
  // Back behind and still busy: a hog again, but only by what it uses behind.
  ASSERT_EQ(m.ReadingsUntil(RestraintStepKind::Restrain, kHog, 5), 3);
  m.rules = ProgramRules::FromStored(L"build.exe", {});
  EXPECT_EQ(m.ReadingsUntil(RestraintStepKind::Release, kHog, 1), 1);
  m.rules = {};
  ASSERT_EQ(m.ReadingsUntil(RestraintStepKind::Restrain, kHog, 1), 1);
  // Ended, and its id taken by a new process: the old one's release names no program, and the
  // newcomer inherits nothing.
  m.procs[0].started = 999;
  m.procs[0].used = 0;
  std::vector<RestraintStep> steps = m.Read();
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].kind, RestraintStepKind::Release);
  EXPECT_EQ(steps[0].started, 100u);
  EXPECT_TRUE(steps[0].name.empty());
  EXPECT_EQ(m.planner.RestrainedCount(), 0u);
}

// A game keeps two cores busy while the user plays, then idles behind the browser the user switched
// to: it is no hog. A build that went on working behind all the while is.
TEST(RestraintFront, AGameLeftForTheBrowserIsNoHogWhileTheBuildBesideItIs) {
  Machine m;
  constexpr ProcessId kGame = 50;
  m.procs = {{kGame, L"game.exe", 2.0}, {kHog, L"build.exe", 0.6}, {kFront, L"browser.exe", 0.1}};
  m.context.front = kGame;
  ASSERT_EQ(m.ReadingsUntil(RestraintStepKind::Restrain, kHog, 20), 6);
  m.context.front = kFront;
  m.procs[0].cores = 0.02;
  EXPECT_EQ(m.ReadingsUntil(RestraintStepKind::Restrain, kGame, 20), 0);
}

// Readings timed by a clock that stood still or went back (a wall clock set back by a time sync)
// count nothing twice: a process using 0.3 of a core on a quiet machine stays a quiet one.
TEST(RestraintMachine, AReadingThatSpansNoTimeCountsNothing) {
  Machine m;
  m.procs = {{kHog, L"build.exe", 0.3}, {kOther, L"tray.exe", 0.4}};
  m.unseenLoad = 0;
  for (int i = 0; i < 6; ++i) m.Read();
  for (const std::uint64_t back : {kSecond, std::uint64_t{0}, 60 * kSecond, kSecond}) {
    m.now -= back + kSecond;  // Read adds the second again
    m.Read();
  }
  EXPECT_EQ(m.ReadingsUntil(RestraintStepKind::Restrain, kHog, 20), 0);
}

TEST(RestraintMachine, TheMachinesOwnTimesCountWorkTheListDoesNotShow) {
  for (const bool told : {false, true}) {
    Machine m;
    m.procs = {{kHog, L"build.exe", 0.5}};
    m.unseenLoad = told ? 1.4 : -1;
    EXPECT_EQ(m.ReadingsUntil(RestraintStepKind::Restrain, kHog, 20), told ? 6 : 0) << told;
  }
}

TEST(MachineBusyRule, TheMachinesOwnTimesUseTheWindowsMeasure) {
  constexpr std::uint64_t s = 10'000'000;
  // idle, whole time (over all processors), processors
  EXPECT_TRUE(MachineBusy(1 * s, 2 * s, 2));       // one core of two
  EXPECT_FALSE(MachineBusy(1.3 * s, 2 * s, 2));    // 0.7 of a core
  EXPECT_TRUE(MachineBusy(10 * s, 16 * s, 16));    // six cores of sixteen: the share of two cores' 0.75
  EXPECT_FALSE(MachineBusy(11 * s, 16 * s, 16));   // five
  EXPECT_FALSE(MachineBusy(0, 0, 2));              // no time passed
  EXPECT_FALSE(MachineBusy(3 * s, 2 * s, 2));      // a counter that went back
}

TEST(RestraintRefusal, ARefusedProcessIsLeftAloneForThirtyReadings) {
  Machine m;
  m.procs = {{kHog, L"build.exe", 1.0}};
  ASSERT_EQ(m.ReadingsUntil(RestraintStepKind::Restrain, kHog, 20), 6);
  m.planner.ReleaseAll();
  m.planner.Refused(kHog, 100);
  EXPECT_EQ(m.ReadingsUntil(RestraintStepKind::Restrain, kHog, 30), 0);
  EXPECT_EQ(m.ReadingsUntil(RestraintStepKind::Restrain, kHog, 1), 1);
}

}  // namespace
}  // namespace kestrune
