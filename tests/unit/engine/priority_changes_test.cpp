// The one place that changes other processes: the journal's lines, what a changed process gets back,
// the level a raise obtained, and the give-backs that no longer depend on a window or on this run.
#include "engine/priority_changes.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/acceleration_cycle.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_state_file.h"

namespace kestrune {
namespace {

using testing::FakeProcessApi;

constexpr std::uint32_t N = priority::kNormal, H = priority::kHigh, R = priority::kRealtime;
constexpr std::uint32_t kIdle = 0x40, kBelowNormal = 0x4000, kAboveNormal = 0x8000;

// The journal reads exactly the lines it writes, asked or confirmed, and the lines earlier versions
// wrote (without the throttling field): a line cut short, altered or not ours is passed over, and
// the whole lines around it still count.
TEST(JournalLine, ReadsExactlyTheLinesItWritesAndThoseOfEarlierVersions) {
  const ChangeEntry a{4294967295u, 18446744073709551615u, kBelowNormal, H}, b{20, 222, 0, R},
      t{30, 333, N, kBelowNormal, true}, asked{40, 444, N, 0, false, R}, again{50, 555, N, kBelowNormal, true, H};
  const std::string lineA = FormatJournal({a}), lineB = FormatJournal({b});
  const std::string fields = lineA.substr(0, lineA.size() - 10), check = lineA.substr(lineA.size() - 9, 8);
  const struct {
    std::string text;
    std::vector<ChangeEntry> read;
  } cases[] = {
      {lineA + lineB + FormatJournal({t, asked, again}), {a, b, t, asked, again}},
      {lineA.substr(0, lineA.size() - 1) + "\r\n" + "garbage\n" + lineB, {a, b}},
      {lineA + lineB.substr(0, lineB.size() - 1), {a}},  // the last line without its line feed
      {fields + " " + check.substr(0, 7) + "\n", {}},     // cut in the checksum
      {fields.substr(1) + " " + check + "\n", {}},        // cut in the fields
      {fields + "  " + check + "\n", {}},
      {FormatJournal({{0, 5, N, H}}) + FormatJournal({{7, 0, N, H}}) + FormatJournal({{7, 5, N, 0}}), {}},
      {"", {}},
      // Whole lines of an earlier version, and lines no version writes.
      {"20 222 0 256 292929f0\n" + lineA, {b, a}},
      {"20 222 0 256 2 856efde6\n20 222 0 256 1 7 9 5e55bcd5\n20 222 32 0 0 0 934dc79a\n", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseJournal(c.text), c.read) << c.text;
}

// Each seat (machine and session) keeps a journal of its own: two copies started from one folder
// never share a file, nor with the shared name of earlier versions.
TEST(JournalLine, EachSeatHasAJournalOfItsOwn) {
  const std::wstring a = JournalFilePath(L"C:\\K", L"guid-1|1"), b = JournalFilePath(L"C:\\K", L"guid-1|2");
  EXPECT_EQ(a, JournalFilePath(L"C:\\K", L"guid-1|1"));
  EXPECT_EQ(a.substr(0, 13) + a.substr(30), L"C:\\K\\kestrune.journal");  // kestrune.<seat>.journal
  EXPECT_TRUE(a != b && a != JournalFilePath(L"C:\\K", L"guid-2|1") && b != SharedJournalFilePath(L"C:\\K"));
}

// What a changed process gets back, by what it is now.
TEST(GiveBackRule, OnlyAClassThatIsStillTheOneSet) {
  const ChangeEntry entry{10, 111, kBelowNormal, H};
  const struct {
    std::uint64_t started;
    std::uint32_t classNow;
    bool restoreOriginal;
    std::optional<std::uint32_t> back;
  } cases[] = {
      {111, H, false, N},
      {111, H, true, kBelowNormal},
      {111, kAboveNormal, false, std::nullopt},  // changed by someone else
      {111, N, true, std::nullopt},
      {111, 0, false, std::nullopt},  // unreadable
      {222, H, false, std::nullopt},  // another process under the same id
      {0, H, false, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GiveBackClass(entry, c.started, c.classNow, c.restoreOriginal), c.back) << c.started << " " << c.classNow;
  EXPECT_EQ(GiveBackClass({10, 111, 0, H}, 111, H, true), N);  // the class before was not read
  EXPECT_EQ(GiveBackClass({10, 111, N, H}, 111, H, true), N);
  EXPECT_EQ(GiveBackClass({10, 111, H, H}, 111, H, true), std::nullopt);  // it had that class already
}

TEST(LevelRule, TheLevelShownIsTheOneObtained) {
  const struct {
    SpeedLevel asked;
    std::uint32_t read;
    SpeedLevel shown;
  } cases[] = {
      {SpeedLevel::Extreme, R, SpeedLevel::Extreme}, {SpeedLevel::Extreme, H, SpeedLevel::Normal},
      {SpeedLevel::Normal, H, SpeedLevel::Normal},   {SpeedLevel::Normal, R, SpeedLevel::Extreme},
      {SpeedLevel::Extreme, N, SpeedLevel::Extreme}, {SpeedLevel::Extreme, 0, SpeedLevel::Extreme},
  };
  for (const auto& c : cases) EXPECT_EQ(LevelObtained(c.asked, c.read), c.shown) << c.read;
}

constexpr ProcessId kSelf = 1, kA = 10, kB = 20;
constexpr WindowHandle kWinA1 = 0x1001, kWinA2 = 0x1002, kWinB = 0x2001;

class Changes : public ::testing::Test {
 protected:
  Changes() {
    api.self = kSelf;
    api.AddProcess(kSelf);
    api.AddProcess(kA, {kBelowNormal, false, false, L"a.exe", 111});
    api.AddProcess(kB, {N, false, false, L"b.exe", 222});
    api.AddWindow(kWinA1, kA, L"A1");
    api.AddWindow(kWinA2, kA, L"A2");
    api.AddWindow(kWinB, kB, L"B");
  }
  TickOutcome Front(WindowHandle w) {
    api.foreground = w;
    return cycle.Tick(input);
  }

  FakeProcessApi api;
  testing::FakeCodePage codePage;
  testing::FakeStateFile journal;
  PriorityChanges changes{api, journal};
  TickInput input{true, SpeedLevel::Normal, true};
  AccelerationCycle cycle{api, codePage, changes};
};

TEST_F(Changes, EachChangeIsInTheJournalBeforeItIsMadeAndLeavesItOnceGivenBack) {
  std::vector<std::vector<ChangeEntry>> atEachSet;
  api.onSet = [&](ProcessId, std::uint32_t) { atEachSet.push_back(ParseJournal(journal.bytes)); };
  Front(kWinA1);
  Front(kWinB);
  ASSERT_EQ(atEachSet.size(), 3u);
  EXPECT_EQ(atEachSet[0], (std::vector<ChangeEntry>{{kA, 111, kBelowNormal, 0, false, H}}));
  EXPECT_EQ(atEachSet[2], (std::vector<ChangeEntry>{{kB, 222, N, 0, false, H}}));  // A's went with its give-back
  EXPECT_EQ(journal.writes, 2);  // one per raise: the give-back's clearing rides on the next write
  cycle.GiveBackRaised(false);
  EXPECT_EQ(journal.bytes, "");
}

// The process is given back by its id: its window may have closed meanwhile. Raised again through
// another window, it keeps the class it had first.
TEST_F(Changes, AProcessWhoseWindowClosedIsGivenBack) {
  input.restoreOriginal = true;
  Front(kWinA1);
  api.windows.erase(kWinA1);
  Front(kWinB);
  EXPECT_EQ(api.ClassOf(kA), kBelowNormal);
  Front(kWinA2);
  Front(kWinB);
  EXPECT_EQ(api.ClassOf(kA), kBelowNormal);
  EXPECT_TRUE(api.open.empty());
}

// What an ended run left in its journal, and an earlier version in the journal every copy shared,
// is given back by the same rule, and both are cleared.
TEST_F(Changes, TheNextStartGivesBackWhatAnEndedRunLeftRaised) {
  api.processes[kA].priorityClass = H;
  api.processes[kB].priorityClass = R;
  journal.bytes = FormatJournal({{kA, 111, kBelowNormal, H}}) + "torn li";
  testing::FakeStateFile shared;
  shared.bytes = "20 222 32 128 d4b9de2f\n";  // B raised to high by an earlier version
  PriorityChanges next{api, journal, {&shared}};
  next.GiveBackLeftovers(true);
  EXPECT_EQ(api.ClassOf(kA), kBelowNormal);
  EXPECT_EQ(api.ClassOf(kB), R);  // chosen by someone else since
  EXPECT_EQ(journal.bytes + shared.bytes, "");
  EXPECT_TRUE(api.open.empty());
}

// A copy in Program Files keeps its settings beside itself when run elevated and in the user's folder
// when not: each start reads this seat's journal in both, and the journal copies shared before.
TEST(JournalLine, AStartReadsThisSeatsJournalWhereEitherKindOfRunKeepsIt) {
  const std::wstring seat = L"guid|1", program = L"C:\\Program Files\\K", user = L"C:\\Users\\u\\K";
  const auto shared = [](const std::wstring& folder) { return SharedJournalFilePath(folder); };
  for (const auto& [settings, other] : {std::pair{program, user}, std::pair{user, program}}) {
    const StartJournals journals = JournalsAtStart(settings, program, user, seat);
    EXPECT_EQ(journals.own, JournalFilePath(settings, seat));
    EXPECT_EQ(journals.earlier, (std::vector{JournalFilePath(other, seat), shared(settings), shared(other)}));
  }
  EXPECT_EQ(JournalsAtStart(program, program, L"", seat).earlier, std::vector{shared(program)});
}

// Kestrune killed between the journal's write and the change, or between the change and the write
// that would confirm what was obtained (changed: the class changed before the kill): the next start
// finds the process at either class and gives back the class it had before the first change (first;
// keptLow: lowered before, as a rule keeps it low behind). A class it had already is never taken for
// a change.
TEST(JournalCrash, AKillBetweenTheJournalAndTheChangeLeavesNothingChanged) {
  const struct { const char* name; std::uint32_t first, keptLow, raise; bool changed; std::uint32_t afterNextStart; }
      cases[] = {
      {"kept low, raised at the front, killed before the change", N, kBelowNormal, H, false, N},
      {"kept low, raised at the front, killed after the change", N, kBelowNormal, H, true, N},
      {"real time answered with high, killed before that was recorded", N, 0, R, true, N},
      {"real time asked, killed before the change", N, 0, R, false, N},
      {"high chosen by the user, real time answered with high", H, 0, R, true, H},
  };
  for (const auto& c : cases) {
    FakeProcessApi api;
    api.AddProcess(kA, {c.first, false, false, L"a.exe", 111});
    api.realtimeGivesHigh = true;  // a standard user's Windows
    testing::FakeStateFile journal;
    PriorityChanges changes{api, journal};
    ASSERT_EQ(c.keptLow != 0 ? changes.Set(kA, c.keptLow, {111, N}).obtained : 0u, c.keptLow);
    std::string journalAtKill;
    api.onSet = [&](ProcessId, std::uint32_t) { journalAtKill = journal.bytes; };
    changes.Set(kA, c.raise);
    journal.bytes = journalAtKill;
    if (!c.changed) api.processes[kA].priorityClass = c.keptLow != 0 ? c.keptLow : c.first;
    PriorityChanges{api, journal}.GiveBackLeftovers(false);
    EXPECT_EQ(api.ClassOf(kA), c.afterNextStart) << c.name;
  }
}

// A give-back names the very process it raised: when that one has ended and its id went to a
// process the restraint then lowered, the switch away from the old window leaves the newcomer
// lowered and its change held.
TEST_F(Changes, AGiveBackNeverUndoesAChangeToAnotherProcessUnderTheSameId) {
  const SetOutcome raised = changes.Set(kA, H);
  ASSERT_EQ(raised.started, 111u);
  api.processes[kA] = {N, false, false, L"newcomer.exe", 999};
  ASSERT_EQ(changes.Set(kA, kBelowNormal, {999, N}).obtained, kBelowNormal);
  changes.GiveBack(kA, raised.started, false);
  EXPECT_EQ(api.ClassOf(kA), kBelowNormal);
  EXPECT_EQ(changes.Held(), (std::vector<ChangeEntry>{{kA, 999, N, kBelowNormal}}));
}

// Real-time answered with high: the switch says so, and the give-back still finds the class it set.
TEST_F(Changes, RealtimeAnsweredWithHighIsShownAsItIs) {
  api.realtimeGivesHigh = true;
  input.level = SpeedLevel::Extreme;
  const TickOutcome toA = Front(kWinA1);
  EXPECT_EQ(toA.level, SpeedLevel::Normal);
  EXPECT_TRUE(toA.realtimeRefused);
  Front(kWinB);
  EXPECT_EQ(api.ClassOf(kA), N);
  api.realtimeGivesHigh = false;
  EXPECT_FALSE(Front(kWinA2).realtimeRefused);
}

}  // namespace
}  // namespace kestrune
